// The launcher window's pixel sizes: one set of 96-DPI values, scaled once for the
// display the launcher starts on. What comes from the font (line height, character
// widths, caption extents) already follows the display and is not listed here.
#pragma once

// The display scale at which every pixel size below is exact.
constexpr int BASE_DPI = 96;

// n * nDpi / 96 rounded to the nearest whole pixel, halves away from zero, as
// MulDiv rounds; a DPI of zero or less is taken as 96.
int ScaleToDpi(int n, int nDpi);

struct LayoutMetrics {
    // Outer size of the frame, caption and borders included.
    int nFrameWidth = 475;
    int nFrameHeight = 350;
    // Space around each button's caption, across and down.
    int nButtonPadX = 20;
    int nButtonPadY = 10;
    // From the Cancel button to the client area's right and bottom edges.
    int nButtonRightMargin = 30;
    int nButtonBottomMargin = 10;
    // Between the Ok and Cancel buttons.
    int nButtonGap = 20;
    // Between the view as created and the buttons' top edge.
    int nViewGapAboveButtons = 10;
    // Where display lines start in the view, also kept off the text width.
    int nViewLeftMargin = 20;
    // The view's two border lines: system lines of one pixel at any scale, so they
    // are left as they are.
    int nViewBorderLines = 2;

    // Every size above, except the border lines, scaled to nDpi.
    LayoutMetrics Scaled(int nDpi) const;
};
