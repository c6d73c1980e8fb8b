// Graphemes and line breaks of UTF-8 text through ICU, for the checker on Linux, as
// the launcher finds them through its system's text engine: the text goes to UTF-16
// with the byte offset of each unit kept, ICU's character and line break iterators
// walk it, and their boundaries go back to the bytes.
#include <unicode/ubrk.h>
#include <unicode/utf16.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "afx/unicode_text.h"
#include "checker/text_widths.h"

namespace {

// The boundaries of the iterator of that type after the start, each as flag on the
// byte its unit began; false when ICU fails.
bool MarkBoundaries(UBreakIteratorType type, const UChar* pUnits, int nUnits, const std::vector<int>& offsets,
                    unsigned char flag, unsigned char* pFlags)
{
    UErrorCode status = U_ZERO_ERROR;
    UBreakIterator* pIterator = ubrk_open(type, "", pUnits, nUnits, &status);
    if (U_FAILURE(status)) {
        return false;
    }
    for (int32_t k = ubrk_first(pIterator); k != UBRK_DONE; k = ubrk_next(pIterator)) {
        if (k < nUnits && offsets[static_cast<std::size_t>(k)] >= 0) {
            pFlags[offsets[static_cast<std::size_t>(k)]] |= flag;
        }
    }
    ubrk_close(pIterator);
    return true;
}

bool FindIcuLineBreaks(const char* pszText, int nLength, unsigned char* pFlags)
{
    // Each UTF-16 unit with the offset of its character; -1 for the second of a pair.
    std::vector<UChar> units;
    std::vector<int> offsets;
    for (int i = 0; i < nLength;) {
        const int nChar = std::min(AfxCharLength(pszText + i, AfxTextEncoding::Utf8), nLength - i);
        const UChar32 c = static_cast<UChar32>(AfxUtf8CodePoint(pszText + i, nChar));
        offsets.push_back(i);
        if (U16_LENGTH(c) == 2) {
            units.push_back(U16_LEAD(c));
            units.push_back(U16_TRAIL(c));
            offsets.push_back(-1);
        } else {
            units.push_back(static_cast<UChar>(c));
        }
        i += nChar;
    }
    const int nUnits = static_cast<int>(units.size());
    const std::unique_ptr<unsigned char[]> flags(new unsigned char[static_cast<std::size_t>(nLength) + 1]());
    if (!MarkBoundaries(UBRK_CHARACTER, units.data(), nUnits, offsets, AFX_CHAR_STOP, flags.get()) ||
        !MarkBoundaries(UBRK_LINE, units.data(), nUnits, offsets, AFX_BREAK_BEFORE, flags.get())) {
        return false;
    }
    // The start of the text is no break.
    if (nLength > 0) {
        flags[0] &= static_cast<unsigned char>(~AFX_BREAK_BEFORE);
    }
    std::copy(flags.get(), flags.get() + nLength, pFlags);
    return true;
}

}  // namespace

const UnicodeBreakFinder kCheckerBreakFinder = FindIcuLineBreaks;
