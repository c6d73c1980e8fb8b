// Where CenterWindow puts a top-level window on the work area.
#pragma once

#include "afx/types.h"

// Centres a w by h window on the work area, halves truncated toward zero. The left
// (top) edge is tested first; only when it is inside is the right (bottom) edge
// brought back inside, so a window wider than the area starts at its left edge.
inline CPoint CenteredTopLeft(const CRect& workArea, int w, int h)
{
    CPoint p;
    p.x = (workArea.left + workArea.right) / 2 - w / 2;
    if (p.x < workArea.left) {
        p.x = workArea.left;
    } else if (p.x + w > workArea.right) {
        p.x = workArea.right - w;
    }
    p.y = (workArea.top + workArea.bottom) / 2 - h / 2;
    if (p.y < workArea.top) {
        p.y = workArea.top;
    } else if (p.y + h > workArea.bottom) {
        p.y = workArea.bottom - h;
    }
    return p;
}
