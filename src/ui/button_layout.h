// Where the launcher's two buttons go, from their captions' measured sizes.
#pragma once

#include "platform/afx_types.h"
#include "ui/layout_metrics.h"

struct ButtonLayout {
    int nButtonTop;  // top of the Cancel button; the message view ends a gap above it
    CRect cancel;
    CRect ok;
};

// Each button is its caption with the padding around it, on the client area's bottom
// margin; Cancel keeps the right margin, Ok sits the button gap to its left. At 96 DPI:
// Cancel 30 pixels from the right edge and 10 from the bottom, captions padded by 20
// across and 10 down, Ok 20 pixels to the left of Cancel.
inline ButtonLayout LayoutButtonRects(const CRect& client, CSize cancelCaption, CSize okCaption,
                                      const LayoutMetrics& metrics)
{
    ButtonLayout layout{};
    const int right = client.right - metrics.nButtonRightMargin;
    const int bottom = client.bottom - metrics.nButtonBottomMargin;
    const int cancelTop = bottom - cancelCaption.cy - metrics.nButtonPadY;
    layout.nButtonTop = cancelTop;
    layout.cancel = {right - cancelCaption.cx - metrics.nButtonPadX, cancelTop, right, bottom};
    const int okRight = layout.cancel.left - metrics.nButtonGap;
    layout.ok = {okRight - okCaption.cx - metrics.nButtonPadX, bottom - okCaption.cy - metrics.nButtonPadY, okRight,
                 bottom};
    return layout;
}
