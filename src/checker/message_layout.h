// The launcher's message view as the checker models it: the window at 96 DPI under
// Wine's default font, and the launcher's own wrap.
#pragma once

#include <string>
#include <vector>

#include "ui/word_wrap.h"

// The view's client area at 96 DPI under Wine: 447 pixels across (the 465-pixel
// frame client less the view's border and scroll bar), 17 lines of 16 pixels
// without scrolling.
constexpr int kViewClientWidth = 447;
constexpr int kViewVisibleLines = 17;
constexpr int kViewMaxLines = 1500;

// Character widths in pixels: Wine's default font, or one width for every byte.
class CCharWidths {
public:
    // nUniformWidth 0: the measured table of the default font.
    explicit CCharWidths(int nUniformWidth = 0) : m_nUniformWidth(nUniformWidth) {}
    int Width(const char* psz, int nCount) const;
    int AveCharWidth() const;

private:
    int m_nUniformWidth;
};

// The display lines of a message text, as the launcher would wrap it.
WrapResult WrapForView(const char* pszText, const CCharWidths& widths);

// The display lines of the message, each without the spaces that fill it, a mark
// before each page the reader must scroll to, and one where the launcher stops.
std::string FormatPreview(const std::string& message, const CCharWidths& widths);
