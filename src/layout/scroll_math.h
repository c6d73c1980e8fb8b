// The message view's scrolling arithmetic and key mapping, with no window involved.
#pragma once

#include "afx/types.h"

struct ScrollStep {
    // The view leaves its position, scroll bar and contents as they are.
    bool ignored;
    // Pixels the scroll position moves by, positive towards the end of the text.
    int delta;
};

// What a scroll request does at nScrollPos. Line and page steps stop at 0 and at
// the greatest position (total height less the visible height, brought to whole
// lines); a released thumb lands on a whole number of line heights at or below
// nThumbPos; thumb dragging and the end of scrolling move nothing but are not
// ignored; every other code is ignored. A step of no pixels or fewer (line height
// or visible height not above 0) is ignored, as is a thumb release when the line
// height is not above 0, and any request whose position would not fit an int.
ScrollStep ComputeScrollStep(UINT nSBCode, int nThumbPos, int nScrollPos, int nLineHeight,
                             int nVisibleHeight, int nTotalHeight);

// The scroll code of a scrolling key in the view (Page Up, Page Down, Up, Down);
// 0, leaving *pnSBCode alone, for every other key.
BOOL ScrollCodeForKey(UINT nChar, UINT* pnSBCode);
