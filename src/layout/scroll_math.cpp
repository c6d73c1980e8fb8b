// The message view's scrolling arithmetic and key mapping.
//
// The inputs are 32-bit, but their sums and differences need not be: everything is
// worked out in 64 bits and a result that a 32-bit position cannot hold is refused.
#include "layout/scroll_math.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

using Wide = std::int64_t;

constexpr ScrollStep IGNORED = {true, 0};

ScrollStep Move(Wide position, Wide delta)
{
    const Wide target = position + delta;
    if (delta < INT_MIN || delta > INT_MAX || target < INT_MIN || target > INT_MAX) {
        return IGNORED;
    }
    return {false, static_cast<int>(delta)};
}

ScrollStep StepUp(Wide position, Wide step)
{
    if (step <= 0 || position <= 0) {
        return IGNORED;
    }
    return Move(position, -std::min(position, step));
}

ScrollStep StepDown(Wide position, Wide greatest, Wide step)
{
    if (step <= 0 || greatest <= position) {
        return IGNORED;
    }
    return Move(position, std::min(greatest - position, step));
}

// The move to the thumb position brought down to a whole number of line heights
// from the current position.
ScrollStep ReleaseThumb(Wide thumb, Wide position, Wide lineHeight)
{
    if (lineHeight <= 0) {
        return IGNORED;
    }
    const Wide distance = thumb - position;
    Wide remainder = distance % lineHeight;
    if (remainder < 0) {
        remainder += lineHeight;
    }
    return Move(position, distance - remainder);
}

}  // namespace

ScrollStep ComputeScrollStep(UINT nSBCode, int nThumbPos, int nScrollPos, int nLineHeight,
                             int nVisibleHeight, int nTotalHeight)
{
    const Wide position = nScrollPos;
    const Wide lineHeight = nLineHeight;
    const Wide visible = nVisibleHeight;
    const Wide overhang = static_cast<Wide>(nTotalHeight) - visible;
    // The remainder keeps the sign of the overhang, as a truncating division leaves it.
    const Wide greatest = overhang - (lineHeight > 0 ? overhang % lineHeight : 0);

    switch (nSBCode) {
    case SB_LINEUP:
        return StepUp(position, lineHeight);
    case SB_LINEDOWN:
        return StepDown(position, greatest, lineHeight);
    case SB_PAGEUP:
        return StepUp(position, visible);
    case SB_PAGEDOWN:
        return StepDown(position, greatest, visible);
    case SB_THUMBPOSITION:
        return ReleaseThumb(nThumbPos, position, lineHeight);
    case SB_THUMBTRACK:
    case SB_ENDSCROLL:
        return {false, 0};
    default:
        return IGNORED;
    }
}

BOOL ScrollCodeForKey(UINT nChar, UINT* pnSBCode)
{
    switch (nChar) {
    case VK_PRIOR:
        *pnSBCode = SB_PAGEUP;
        return TRUE;
    case VK_NEXT:
        *pnSBCode = SB_PAGEDOWN;
        return TRUE;
    case VK_UP:
        *pnSBCode = SB_LINEUP;
        return TRUE;
    case VK_DOWN:
        *pnSBCode = SB_LINEDOWN;
        return TRUE;
    default:
        return FALSE;
    }
}
