// The launcher window's geometry: the frame's client area, the message view's
// rectangle and client area, and the whole display lines it shows, from the
// window's pixel sizes at the display scale, what the system takes for frames and
// scroll bars, and the font. The frame, the view and the script checker each call
// this one function; only the system metrics they give it differ: the system's
// own (QuerySystemWindowMetrics), or those measured under Wine for the native
// checker.
#pragma once

#include "afx/types.h"
#include "layout/layout_metrics.h"

// The launcher's frame: a fixed-size window with a caption (the framework's frame
// adds a client edge).
constexpr UINT SETUP_FRAME_STYLE = WS_CAPTION;

// What the system takes of the launcher's windows at the display scale.
struct SystemWindowMetrics {
    // The frame's borders, client edge and caption: its size less its client area.
    CSize frame;
    // The view's border lines and vertical scroll bar: its size less its client area.
    CSize view;
};

// The system's own metrics of the launcher's windows, on the platform running.
SystemWindowMetrics QuerySystemWindowMetrics(const LayoutMetrics& metrics);

struct ViewGeometry {
    CRect frameClient;  // the frame's client area
    int nButtonTop = 0;  // where the buttons begin
    CRect view;         // the view as created, in the frame's client area
    CSize viewClient;   // the view's client area: the message is laid out across its width
    // Whole display lines of nLineHeight in the view's client area (none without a
    // line height), and the height they take.
    int nVisibleLines = 0;
    int nVisibleHeight = 0;
    // The view's height once fitted to those lines: they and its borders.
    int nFittedViewHeight = 0;
};

// metrics: scaled to the display; nCaptionHeight: the Cancel button's caption, as
// measured; nLineHeight: the view's font.
ViewGeometry ComputeViewGeometry(const LayoutMetrics& metrics, const SystemWindowMetrics& system, int nCaptionHeight,
                                 int nLineHeight);
