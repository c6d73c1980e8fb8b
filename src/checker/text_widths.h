// What the checker knows of the launcher view's font, on the platform it runs on:
// the widths of texts, the font's metrics and the view's size at a display scale,
// and where to find Unicode line breaks.
//
// Natively the widths come from a table of the font (text_widths_table.cpp); a
// character that is not in it is counted as the widest one the table has.
#pragma once

#include "platform/afx_text.h"
#include "ui/message_layout.h"

class CTextWidths {
public:
    // nUniformWidth > 0: every character that many pixels, the font's average width
    // too, instead of the font's own widths.
    explicit CTextWidths(int nUniformWidth = 0) : m_nUniformWidth(nUniformWidth) {}

    // Width in pixels of the first nCount bytes of a text in that encoding.
    int Width(const char* psz, int nCount, AfxTextEncoding encoding) const;
    int AveCharWidth() const;
    // The first character of the NUL-terminated text whose width is a guess; null
    // when every width is known.
    const char* FirstGuess(const char* psz, AfxTextEncoding encoding) const;

private:
    int m_nUniformWidth;
};

// The launcher view's client width at the font's display scale (96 DPI), and the
// display lines it shows without scrolling.
constexpr int kViewClientWidth = 447;
constexpr int kViewVisibleLines = 17;

// The checker's finder of graphemes and Unicode line breaks.
extern const UnicodeBreakFinder kCheckerBreakFinder;
