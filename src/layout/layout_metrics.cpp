// Scaling the launcher window's pixel sizes to the display.
#include "layout/layout_metrics.h"

#include <climits>

int ScaleToDpi(int n, int nDpi)
{
    if (nDpi <= 0) {
        nDpi = BASE_DPI;
    }
    const long long product = static_cast<long long>(n) * nDpi;
    const long long magnitude = ((product < 0 ? -product : product) + BASE_DPI / 2) / BASE_DPI;
    const long long scaled = product < 0 ? -magnitude : magnitude;
    if (scaled > INT_MAX) {
        return INT_MAX;
    }
    return scaled < INT_MIN ? INT_MIN : static_cast<int>(scaled);
}

LayoutMetrics LayoutMetrics::Scaled(int nDpi) const
{
    LayoutMetrics scaled = *this;
    scaled.nFrameWidth = ScaleToDpi(nFrameWidth, nDpi);
    scaled.nFrameHeight = ScaleToDpi(nFrameHeight, nDpi);
    scaled.nButtonPadX = ScaleToDpi(nButtonPadX, nDpi);
    scaled.nButtonPadY = ScaleToDpi(nButtonPadY, nDpi);
    scaled.nButtonRightMargin = ScaleToDpi(nButtonRightMargin, nDpi);
    scaled.nButtonBottomMargin = ScaleToDpi(nButtonBottomMargin, nDpi);
    scaled.nButtonGap = ScaleToDpi(nButtonGap, nDpi);
    scaled.nViewGapAboveButtons = ScaleToDpi(nViewGapAboveButtons, nDpi);
    scaled.nViewLeftMargin = ScaleToDpi(nViewLeftMargin, nDpi);
    return scaled;
}
