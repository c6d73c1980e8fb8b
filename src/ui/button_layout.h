// Where the launcher's two buttons go, from their captions' measured sizes.
#pragma once

#include "platform/afx_types.h"

struct ButtonLayout {
    int nButtonTop;  // top of the Cancel button; the message view ends 10 pixels above it
    CRect cancel;
    CRect ok;
};

// Cancel sits 30 pixels from the client area's right edge and 10 from its bottom,
// its caption padded by 20 across and 10 down; Ok sits 20 pixels to its left.
inline ButtonLayout LayoutButtonRects(const CRect& client, CSize cancelCaption, CSize okCaption)
{
    ButtonLayout layout{};
    const int right = client.right;
    const int bottom = client.bottom;
    layout.nButtonTop = bottom - cancelCaption.cy - 20;
    layout.cancel = {right - cancelCaption.cx - 50, bottom - cancelCaption.cy - 20, right - 30, bottom - 10};
    const int cancelLeft = layout.cancel.left;
    layout.ok = {cancelLeft - okCaption.cx - 40, bottom - okCaption.cy - 20, cancelLeft - 20, bottom - 10};
    return layout;
}
