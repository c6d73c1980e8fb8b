// Where the launcher's two buttons go, from their captions' measured sizes.
#pragma once

#include "afx/types.h"
#include "layout/layout_metrics.h"

struct ButtonLayout {
    int nButtonTop;  // top of the Cancel button; the message view ends a gap above it
    CRect cancel;
    CRect ok;
};

// Two widths that together need more than nAvailable pixels, each shrunk in
// proportion to itself so that together they take nAvailable (nothing when none is
// available): the first rounded to the nearest pixel, halves up, the second the rest.
// Widths that fit are left as they are.
inline void ShrinkToFit(int* pnFirst, int* pnSecond, int nAvailable)
{
    const long long total = static_cast<long long>(*pnFirst) + *pnSecond;
    if (total <= nAvailable) {
        return;
    }
    const long long available = nAvailable > 0 ? nAvailable : 0;  // below total, so total > 0
    const long long first = (*pnFirst * available + total / 2) / total;
    *pnFirst = static_cast<int>(first);
    *pnSecond = static_cast<int>(available - first);
}

// Each button is its caption with the padding around it, on the client area's bottom
// margin; Cancel keeps the right margin, Ok sits the button gap to its left. At 96 DPI:
// Cancel 30 pixels from the right edge and 10 from the bottom, captions padded by 20
// across and 10 down, Ok 20 pixels to the left of Cancel. When Ok would then start
// left of the client area, the margins and the gap stay and both buttons shrink in
// proportion until Ok starts at its left edge; a caption wider than its button is
// cut by the button as it draws it.
inline ButtonLayout LayoutButtonRects(const CRect& client, CSize cancelCaption, CSize okCaption,
                                      const LayoutMetrics& metrics)
{
    ButtonLayout layout{};
    const int right = client.right - metrics.nButtonRightMargin;
    const int bottom = client.bottom - metrics.nButtonBottomMargin;
    int nCancelWidth = cancelCaption.cx + metrics.nButtonPadX;
    int nOkWidth = okCaption.cx + metrics.nButtonPadX;
    ShrinkToFit(&nCancelWidth, &nOkWidth, right - metrics.nButtonGap - client.left);
    const int cancelTop = bottom - cancelCaption.cy - metrics.nButtonPadY;
    layout.nButtonTop = cancelTop;
    layout.cancel = {right - nCancelWidth, cancelTop, right, bottom};
    const int okRight = layout.cancel.left - metrics.nButtonGap;
    layout.ok = {okRight - nOkWidth, bottom - okCaption.cy - metrics.nButtonPadY, okRight, bottom};
    return layout;
}
