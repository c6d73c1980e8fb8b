// The window's pixel sizes at the usual display scales, rounded as Windows rounds.
#include <gtest/gtest.h>

#include <climits>

#include "ui/layout_metrics.h"

namespace {

TEST(LayoutMetricsTest, ScaleRoundsHalvesAwayFromZero)
{
    struct Case {
        int n;
        int nDpi;
        int nExpected;
    } cases[] = {
        {475, 96, 475}, {475, 120, 594}, {475, 144, 713}, {475, 192, 950},
        {350, 120, 438}, {10, 120, 13}, {30, 120, 38}, {20, 120, 25},
        {-10, 120, -13}, {1, 48, 1}, {1, 47, 0}, {0, 144, 0},
        {475, 0, 475}, {475, -144, 475},  // no usable reading: as at 96
        {INT_MAX, 192, INT_MAX}, {INT_MIN, 192, INT_MIN},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ScaleToDpi(c.n, c.nDpi), c.nExpected) << c.n << " at " << c.nDpi;
    }
}

TEST(LayoutMetricsTest, EverySizeButTheBorderLinesScales)
{
    struct Case {
        int nDpi;
        LayoutMetrics expected;  // in declaration order
    } cases[] = {
        {96, {475, 350, 20, 10, 30, 10, 20, 10, 20, 2}},
        {120, {594, 438, 25, 13, 38, 13, 25, 13, 25, 2}},
        {144, {713, 525, 30, 15, 45, 15, 30, 15, 30, 2}},
        {192, {950, 700, 40, 20, 60, 20, 40, 20, 40, 2}},
    };
    for (const Case& c : cases) {
        const LayoutMetrics m = LayoutMetrics{}.Scaled(c.nDpi);
        const LayoutMetrics& e = c.expected;
        EXPECT_EQ(m.nFrameWidth, e.nFrameWidth) << c.nDpi;
        EXPECT_EQ(m.nFrameHeight, e.nFrameHeight) << c.nDpi;
        EXPECT_EQ(m.nButtonPadX, e.nButtonPadX) << c.nDpi;
        EXPECT_EQ(m.nButtonPadY, e.nButtonPadY) << c.nDpi;
        EXPECT_EQ(m.nButtonRightMargin, e.nButtonRightMargin) << c.nDpi;
        EXPECT_EQ(m.nButtonBottomMargin, e.nButtonBottomMargin) << c.nDpi;
        EXPECT_EQ(m.nButtonGap, e.nButtonGap) << c.nDpi;
        EXPECT_EQ(m.nViewGapAboveButtons, e.nViewGapAboveButtons) << c.nDpi;
        EXPECT_EQ(m.nViewLeftMargin, e.nViewLeftMargin) << c.nDpi;
        EXPECT_EQ(m.nViewBorderLines, e.nViewBorderLines) << c.nDpi;
    }
}

}  // namespace
