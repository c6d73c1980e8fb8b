// What the system takes of the launcher's windows: asked of the system, at the
// display scale the program started with.
#include "afx/system.h"
#include "layout/view_geometry.h"

SystemWindowMetrics QuerySystemWindowMetrics(const LayoutMetrics& metrics)
{
    SystemWindowMetrics system;
    system.frame = AfxGetWindowFrameSize(SETUP_FRAME_STYLE, WS_EX_CLIENTEDGE);
    // The view's WS_BORDER draws lines of one pixel at any scale.
    system.view = CSize{metrics.nViewBorderLines + AfxGetVerticalScrollBarWidth(), metrics.nViewBorderLines};
    return system;
}
