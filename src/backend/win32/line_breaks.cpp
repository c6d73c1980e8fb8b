// Graphemes and line breaks of UTF-8 text through Uniscribe: the text goes to
// UTF-16 with the byte offset of each unit kept, ScriptItemize splits it into runs
// of one script, ScriptBreak gives each run's character stops and soft breaks, and
// these go back to the bytes.
#include <algorithm>
#include <memory>

#include "afx/text.h"
#include "afx/os.h"
#include "afx/unicode_text.h"
#include "backend/win32/uniscribe.h"

bool os::FindUnicodeLineBreaks(const char* pszText, int nLength, unsigned char* pFlags)
{
    const Uniscribe& uniscribe = GetUniscribe();
    if (uniscribe.pfnItemize == nullptr || uniscribe.pfnBreak == nullptr) {
        return false;
    }
    // Each UTF-16 unit with the offset of its character; -1 for the second of a pair.
    // No character has more units than bytes, and every item holds a unit at least;
    // the item list ends with an item that marks the end.
    const std::size_t nMost = static_cast<std::size_t>(nLength);
    const std::unique_ptr<WCHAR[]> units(new WCHAR[nMost]);
    const std::unique_ptr<int[]> offsets(new int[nMost]);
    const std::unique_ptr<SCRIPT_ITEM[]> items(new SCRIPT_ITEM[nMost + 2]);
    const std::unique_ptr<SCRIPT_LOGATTR[]> attributes(new SCRIPT_LOGATTR[nMost]);
    int nUnits = 0;
    for (int i = 0; i < nLength;) {
        const int nChar = std::min(AfxCharLength(pszText + i, AfxTextEncoding::Utf8), nLength - i);
        const std::uint32_t c = AfxUtf8CodePoint(pszText + i, nChar);
        offsets[nUnits] = i;
        units[nUnits++] = static_cast<WCHAR>(c < 0x10000 ? c : 0xD800 + ((c - 0x10000) >> 10));
        if (c >= 0x10000) {
            offsets[nUnits] = -1;
            units[nUnits++] = static_cast<WCHAR>(0xDC00 + (c & 0x3FF));
        }
        i += nChar;
    }
    int nItems = 0;
    if (FAILED(uniscribe.pfnItemize(units.get(), nUnits, nUnits + 1, nullptr, nullptr, items.get(), &nItems))) {
        return false;
    }
    for (int k = 0; k < nItems; ++k) {
        const int nStart = items[k].iCharPos;
        if (FAILED(uniscribe.pfnBreak(units.get() + nStart, items[k + 1].iCharPos - nStart, &items[k].a,
                                      attributes.get() + nStart))) {
            return false;
        }
    }
    for (int u = 0; u < nUnits; ++u) {
        if (offsets[u] >= 0) {
            pFlags[offsets[u]] = static_cast<unsigned char>((attributes[u].fCharStop ? AFX_CHAR_STOP : 0) |
                                                            (attributes[u].fSoftBreak ? AFX_BREAK_BEFORE : 0));
        }
    }
    return true;
}
