// What the checker knows of the launcher view's font, on the platform it runs on:
// the widths of texts, the font's metrics, and where to find Unicode line breaks.
//
// Natively the widths come from a table of the font at 96 DPI
// (text_widths_table.cpp): of each byte in code page 1252, and of Unicode
// characters, which also give the widths of ANSI text in any other code page. A
// character that is not in it is counted as the widest one the table has; ICU finds
// the breaks. On Windows the system measures in
// the font the view draws with, the way the launcher measures, and Uniscribe finds
// the breaks (text_widths_system.cpp).
#pragma once

#include <algorithm>

#include "afx/text.h"
#include "layout/message_layout.h"
#include "layout/view_geometry.h"

class CTextWidths {
public:
    // nUniformWidth > 0: every character that many pixels, the font's average width
    // too, instead of the font's own widths. nDpi: the display scale of the view.
    // nCodePage: the code page ANSI text is read in (ConsoleSetCodePage).
    explicit CTextWidths(int nUniformWidth = 0, int nDpi = 96, unsigned nCodePage = 1252)
        : m_nUniformWidth(nUniformWidth), m_nDpi(nDpi), m_nCodePage(nCodePage)
    {
    }

    // Width in pixels of the first nCount bytes of a text in that encoding; a
    // character of unknown width counts as the widest known one, or with
    // bGuessNarrowest as nothing.
    int Width(const char* psz, int nCount, AfxTextEncoding encoding, bool bGuessNarrowest = false) const;
    int AveCharWidth() const;
    int LineHeight() const;
    int Dpi() const { return m_nDpi; }
    // The first character of the NUL-terminated text whose width is a guess; null
    // when every width is known.
    const char* FirstGuess(const char* psz, AfxTextEncoding encoding) const;

private:
    // Width of the text at the uniform width.
    int UniformWidth(const char* psz, int nCount, AfxTextEncoding encoding) const
    {
        int nChars = 0;
        for (int i = 0; i < nCount; ++nChars) {
            i += std::min(AfxCharLength(psz + i, encoding), nCount - i);
        }
        return nChars * m_nUniformWidth;
    }

    int m_nUniformWidth;
    int m_nDpi;
    unsigned m_nCodePage;
};

// Whether the widths hold at that display scale: natively only at 96 DPI.
bool MeasuresAtDpi(int nDpi);

// What the system takes of the launcher's windows at the display scale: natively as
// scripts/measure-font-widths.sh measured it under Wine beside the font's widths.
SystemWindowMetrics SystemWindowMetricsAt(int nDpi);

// The checker's finder of graphemes and Unicode line breaks.
extern const UnicodeBreakFinder kCheckerBreakFinder;
