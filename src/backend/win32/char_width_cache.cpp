// The kept widths: one entry per UTF-16 unit, in the font of the device context
// that first asked.
#include "backend/win32/char_width_cache.h"

#include "backend/win32/uniscribe.h"

namespace {

// An entry is 0 while the unit is unmeasured, kNotSummable for a unit whose text is
// measured whole, and otherwise its width plus one.
constexpr unsigned short kNotSummable = 0xFFFF;
constexpr int kUnits = 0x10000;

struct CharWidths {
    HGDIOBJ hFont = nullptr;  // the font they are in; null until the first use
    LONG nHeight = 0;
    unsigned short anEntries[kUnits];
};

CharWidths g_widths;

bool IsSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// The system shapes no ASCII; other units are asked of Uniscribe once each.
bool IsShaped(wchar_t c)
{
    if (c < 0x80) {
        return false;
    }
    const Uniscribe& uniscribe = GetUniscribe();
    return uniscribe.pfnIsComplex == nullptr || uniscribe.pfnIsComplex(&c, 1, SIC_COMPLEX) != S_FALSE;
}

unsigned short MeasureEntry(HDC hDC, wchar_t c)
{
    SIZE size{};
    if (IsSurrogate(c) || IsShaped(c) || !::GetTextExtentPoint32W(hDC, &c, 1, &size) || size.cx < 0 ||
        size.cx >= kNotSummable - 1) {
        return kNotSummable;
    }
    g_widths.nHeight = size.cy;
    return static_cast<unsigned short>(size.cx + 1);
}

// Whether the DC is in the font of the entries, which becomes the font of the
// first DC that asks; the program selects no font, so a DC in another one never asks.
bool IsInEntriesFont(HDC hDC)
{
    const HGDIOBJ hFont = ::GetCurrentObject(hDC, OBJ_FONT);
    if (g_widths.hFont == nullptr) {
        g_widths.hFont = hFont;
    }
    return hFont != nullptr && hFont == g_widths.hFont;
}

}  // namespace

bool SumCharacterWidths(HDC hDC, const wchar_t* pwsz, int nLength, SIZE* pSize)
{
    if (nLength <= 0 || !IsInEntriesFont(hDC)) {
        return false;
    }
    LONG nWidth = 0;
    for (int i = 0; i < nLength; ++i) {
        unsigned short& entry = g_widths.anEntries[static_cast<unsigned short>(pwsz[i])];
        if (entry == 0) {
            entry = MeasureEntry(hDC, pwsz[i]);
        }
        if (entry == kNotSummable) {
            return false;
        }
        nWidth += entry - 1;
    }
    *pSize = SIZE{nWidth, g_widths.nHeight};
    return true;
}
