// The launcher window's geometry, from the frame's outer size down to whole lines.
#include "layout/view_geometry.h"

#include <algorithm>

#include "layout/button_layout.h"

ViewGeometry ComputeViewGeometry(const LayoutMetrics& metrics, const SystemWindowMetrics& system, int nCaptionHeight,
                                 int nLineHeight)
{
    ViewGeometry geometry;
    // A client area is never less than nothing, as the system gives it.
    geometry.frameClient = CRect{0, 0, std::max(metrics.nFrameWidth - system.frame.cx, 0),
                                 std::max(metrics.nFrameHeight - system.frame.cy, 0)};
    const CSize caption{0, nCaptionHeight};
    geometry.nButtonTop = LayoutButtonRects(geometry.frameClient, caption, caption, metrics).nButtonTop;
    geometry.view = CRect{0, 0, geometry.frameClient.Width(), geometry.nButtonTop - metrics.nViewGapAboveButtons};
    geometry.viewClient = CSize{std::max(geometry.view.Width() - system.view.cx, 0),
                                std::max(geometry.view.Height() - system.view.cy, 0)};
    if (nLineHeight > 0) {
        geometry.nVisibleLines = geometry.viewClient.cy / nLineHeight;
        geometry.nVisibleHeight = geometry.nVisibleLines * nLineHeight;
    }
    geometry.nFittedViewHeight = geometry.nVisibleHeight + system.view.cy;
    return geometry;
}
