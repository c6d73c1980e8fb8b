// The window's pixel sizes at the usual display scales, rounded as Windows rounds.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "layout/button_layout.h"
#include "layout/layout_metrics.h"
#include "layout/view_geometry.h"

namespace {

TEST(LayoutMetricsTest, ScaleRoundsHalvesAwayFromZero)
{
    // Halves at 120 DPI are in the table below; here the signs, no usable reading, overflow.
    const int cases[][3] = {{-10, 120, -13}, {1, 47, 0}, {475, 0, 475}, {475, -144, 475}, {INT_MAX, 192, INT_MAX},
                            {INT_MIN, 192, INT_MIN}};
    for (const auto& c : cases) {
        EXPECT_EQ(ScaleToDpi(c[0], c[1]), c[2]) << c[0] << " at " << c[1];
    }
}

TEST(LayoutMetricsTest, EverySizeButTheBorderLinesScales)
{
    // In declaration order: frame, button padding, margins and gap, view gap and margin, borders.
    const int cases[][11] = {{96, 475, 350, 20, 10, 30, 10, 20, 10, 20, 2},
                             {120, 594, 438, 25, 13, 38, 13, 25, 13, 25, 2},
                             {144, 713, 525, 30, 15, 45, 15, 30, 15, 30, 2},
                             {192, 950, 700, 40, 20, 60, 20, 40, 20, 40, 2}};
    for (const auto& c : cases) {
        const LayoutMetrics m = LayoutMetrics{}.Scaled(c[0]);
        const int actual[] = {m.nFrameWidth,        m.nFrameHeight, m.nButtonPadX,         m.nButtonPadY,
                              m.nButtonRightMargin, m.nButtonBottomMargin, m.nButtonGap, m.nViewGapAboveButtons,
                              m.nViewLeftMargin,    m.nViewBorderLines};
        EXPECT_TRUE(std::equal(actual, actual + 10, c + 1)) << c[0];
    }
}

TEST(LayoutMetricsTest, ButtonsFollowTheCaptionsAndAlwaysFit)
{
    struct {
        int nDpi;
        CRect client;
        CSize cancelCaption, okCaption;
        CRect cancel, ok;
    } const cases[] = {
        {96, {0, 0, 465, 321}, {42, 16}, {16, 16}, {373, 285, 435, 311}, {317, 285, 353, 311}},
        // Ok one pixel left of the client area, and at -239.
        {96, {0, 0, 465, 321}, {180, 16}, {196, 16}, {235, 285, 435, 311}, {0, 285, 215, 311}},
        {96, {0, 0, 465, 321}, {300, 16}, {314, 16}, {232, 285, 435, 311}, {0, 285, 212, 311}},
        {144, {0, 0, 698, 482}, {400, 24}, {300, 24}, {301, 428, 653, 467}, {0, 428, 271, 467}},
        {96, {0, 0, 40, 100}, {0, 16}, {0, 16}, {10, 64, 10, 90}, {-10, 64, -10, 90}},
    };
    for (const auto& c : cases) {
        const ButtonLayout layout =
            LayoutButtonRects(c.client, c.cancelCaption, c.okCaption, LayoutMetrics{}.Scaled(c.nDpi));
        EXPECT_EQ(layout.cancel, c.cancel) << c.cancelCaption.cx << " and " << c.okCaption.cx;
        EXPECT_EQ(layout.ok, c.ok) << c.cancelCaption.cx << " and " << c.okCaption.cx;
        EXPECT_EQ(layout.nButtonTop, c.cancel.top);
    }
}

// The view from the frame's outer size down: under Wine at 96 DPI (a 17-pixel scroll
// bar), in the simulated platform (16), at 144 DPI, and where nothing is left.
TEST(ViewGeometryTest, FollowsTheSystemMetricsGiven)
{
    struct {
        int nDpi;
        SystemWindowMetrics system;
        int nCaptionHeight, nLineHeight;
        CRect frameClient, view;
        CSize viewClient;
        int nVisibleLines, nFittedViewHeight;
    } const cases[] = {
        {96, {{10, 29}, {19, 2}}, 16, 16, {0, 0, 465, 321}, {0, 0, 465, 275}, {446, 273}, 17, 274},
        {96, {{10, 29}, {18, 2}}, 16, 16, {0, 0, 465, 321}, {0, 0, 465, 275}, {447, 273}, 17, 274},
        {144, {{16, 39}, {28, 2}}, 24, 24, {0, 0, 697, 486}, {0, 0, 697, 417}, {669, 415}, 17, 410},
        {96, {{10, 29}, {19, 2}}, 16, 0, {0, 0, 465, 321}, {0, 0, 465, 275}, {446, 273}, 0, 2},
        {96, {{10, 29}, {19, 2}}, 16, 1, {0, 0, 465, 321}, {0, 0, 465, 275}, {446, 273}, 273, 275},
        {96, {{500, 400}, {19, 2}}, 16, 16, {0, 0, 0, 0}, {0, 0, 0, -46}, {0, 0}, 0, 2},
    };
    for (const auto& c : cases) {
        const ViewGeometry g =
            ComputeViewGeometry(LayoutMetrics{}.Scaled(c.nDpi), c.system, c.nCaptionHeight, c.nLineHeight);
        EXPECT_EQ(g.frameClient, c.frameClient) << c.nDpi;
        EXPECT_EQ(g.view, c.view) << c.nDpi;
        EXPECT_EQ(g.viewClient.cx, c.viewClient.cx) << c.nDpi;
        EXPECT_EQ(g.viewClient.cy, c.viewClient.cy) << c.nDpi;
        EXPECT_EQ(g.nVisibleLines, c.nVisibleLines) << c.nDpi;
        EXPECT_EQ(g.nVisibleHeight, c.nVisibleLines * c.nLineHeight) << c.nDpi;
        EXPECT_EQ(g.nFittedViewHeight, c.nFittedViewHeight) << c.nDpi;
    }
}

}  // namespace
