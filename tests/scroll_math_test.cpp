// The message view's scrolling arithmetic and scrolling keys.
#include <gtest/gtest.h>

#include <climits>
#include <ostream>

#include "layout/scroll_math.h"

namespace {

constexpr bool IGNORED = true;
constexpr bool APPLIED = false;

struct ScrollCase {
    const char* what;
    UINT nSBCode;
    int nThumbPos;
    int nScrollPos;
    int nLineHeight;
    int nVisibleHeight;
    int nTotalHeight;
    bool ignored;
    int delta;
};

constexpr int H = 16;

const ScrollCase kScrollCases[] = {
    // 25 lines in a view of 10: the greatest position is 15 lines.
    {"page down from the top", SB_PAGEDOWN, 0, 0, H, 10 * H, 25 * H, APPLIED, 10 * H},
    {"page down stops at the greatest position", SB_PAGEDOWN, 0, 10 * H, H, 10 * H, 25 * H, APPLIED, 5 * H},
    {"page down at the greatest position", SB_PAGEDOWN, 0, 15 * H, H, 10 * H, 25 * H, IGNORED, 0},
    {"line down at the greatest position", SB_LINEDOWN, 0, 15 * H, H, 10 * H, 25 * H, IGNORED, 0},
    {"line down", SB_LINEDOWN, 0, 14 * H, H, 10 * H, 25 * H, APPLIED, H},
    {"line up", SB_LINEUP, 0, 15 * H, H, 10 * H, 25 * H, APPLIED, -H},
    {"page up", SB_PAGEUP, 0, 14 * H, H, 10 * H, 25 * H, APPLIED, -10 * H},
    {"page up stops at the top", SB_PAGEUP, 0, 4 * H, H, 10 * H, 25 * H, APPLIED, -4 * H},
    {"page up at the top", SB_PAGEUP, 0, 0, H, 10 * H, 25 * H, IGNORED, 0},
    {"line up at the top", SB_LINEUP, 0, 0, H, 10 * H, 25 * H, IGNORED, 0},
    {"line up stops at the top", SB_LINEUP, 0, 5, H, 10 * H, 25 * H, APPLIED, -5},
    {"line down past a position beyond the greatest", SB_LINEDOWN, 0, 20 * H, H, 10 * H, 25 * H, IGNORED, 0},
    // Thumb releases land on whole line heights, with no further bound.
    {"thumb brought down to a whole line", SB_THUMBPOSITION, 37, 0, 16, 10 * 16, 25 * 16, APPLIED, 32},
    {"thumb above the position", SB_THUMBPOSITION, 10, 40, 20, 10 * 20, 25 * 20, APPLIED, -40},
    {"thumb one past the greatest position", SB_THUMBPOSITION, 15 * H + 1, 0, H, 10 * H, 25 * H, APPLIED, 15 * H},
    {"thumb beyond the total height", SB_THUMBPOSITION, 40 * H + 3, 0, H, 10 * H, 25 * H, APPLIED, 40 * H},
    {"thumb at the position", SB_THUMBPOSITION, 3 * H, 3 * H, H, 10 * H, 25 * H, APPLIED, 0},
    {"thumb tracking moves nothing", SB_THUMBTRACK, 100, 0, H, 10 * H, 25 * H, APPLIED, 0},
    {"end of scrolling moves nothing", SB_ENDSCROLL, 0, 5 * H, H, 10 * H, 25 * H, APPLIED, 0},
    {"top is ignored", SB_TOP, 0, 5 * H, H, 10 * H, 25 * H, IGNORED, 0},
    {"bottom is ignored", SB_BOTTOM, 0, 5 * H, H, 10 * H, 25 * H, IGNORED, 0},
    {"unknown code is ignored", 9, 0, 5 * H, H, 10 * H, 25 * H, IGNORED, 0},
    // A text shorter than the view: the greatest position is negative.
    {"line down in a short text", SB_LINEDOWN, 0, 0, H, 10 * H, 3 * H, IGNORED, 0},
    {"page down in a short text", SB_PAGEDOWN, 0, 0, H, 10 * H, 3 * H, IGNORED, 0},
    // An empty text.
    {"line down in an empty text", SB_LINEDOWN, 0, 0, H, 10 * H, 0, IGNORED, 0},
    {"page down in an empty text", SB_PAGEDOWN, 0, 0, H, 10 * H, 0, IGNORED, 0},
    {"line up in an empty text", SB_LINEUP, 0, 0, H, 10 * H, 0, IGNORED, 0},
    {"page up in an empty text", SB_PAGEUP, 0, 0, H, 10 * H, 0, IGNORED, 0},
    // Heights that are not whole lines: the overhang is brought down to whole lines.
    {"greatest position of a partial overhang", SB_PAGEDOWN, 0, 0, 10, 95, 200, APPLIED, 95},
    {"line down up to whole lines only", SB_LINEDOWN, 0, 100, 10, 95, 200, IGNORED, 0},
    // Degenerate heights: no step, no thumb alignment, never a division by zero.
    {"line down with no line height", SB_LINEDOWN, 0, 0, 0, 0, 0, IGNORED, 0},
    {"line up with no line height", SB_LINEUP, 0, 10, 0, 0, 0, IGNORED, 0},
    {"thumb with no line height", SB_THUMBPOSITION, 10, 0, 0, 0, 0, IGNORED, 0},
    {"thumb with a negative line height", SB_THUMBPOSITION, 10, 0, -16, 0, 0, IGNORED, 0},
    {"page down with no visible height", SB_PAGEDOWN, 0, 0, H, 0, 25 * H, IGNORED, 0},
    // Extreme values neither overflow nor produce a position an int cannot hold.
    {"line down near the largest int", SB_LINEDOWN, 0, INT_MAX - 1, INT_MAX, 0, INT_MAX, APPLIED, 1},
    {"page up from the largest int", SB_PAGEUP, 0, INT_MAX, H, INT_MAX, INT_MAX, APPLIED, -INT_MAX},
    {"line down beyond the largest int", SB_LINEDOWN, 0, INT_MAX - 1, INT_MAX, INT_MIN, INT_MAX, IGNORED, 0},
    {"thumb far below a very negative position", SB_THUMBPOSITION, INT_MAX, INT_MIN, 1, 0, 0, IGNORED, 0},
    {"thumb near the lowest int", SB_THUMBPOSITION, INT_MIN + 10, 0, 7, 0, 0, APPLIED, INT_MIN + 9},
    {"thumb brought down below the lowest int", SB_THUMBPOSITION, INT_MIN, 0, 7, 0, 0, IGNORED, 0},
};

void PrintTo(const ScrollCase& c, std::ostream* os)
{
    *os << c.what;
}

class ScrollRequest : public testing::TestWithParam<ScrollCase> {};

TEST_P(ScrollRequest, GivesTheExpectedStep)
{
    const ScrollCase& c = GetParam();
    const ScrollStep step =
        ComputeScrollStep(c.nSBCode, c.nThumbPos, c.nScrollPos, c.nLineHeight, c.nVisibleHeight, c.nTotalHeight);
    EXPECT_EQ(step.ignored, c.ignored) << c.what;
    EXPECT_EQ(step.delta, c.delta) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Table, ScrollRequest, testing::ValuesIn(kScrollCases));

TEST(ScrollRequest, PagingThroughTwentyFiveLines)
{
    struct {
        UINT nSBCode;
        int nExpectedPos;  // -1: ignored
    } const steps[] = {
        {SB_PAGEDOWN, 10}, {SB_PAGEDOWN, 15}, {SB_PAGEDOWN, -1}, {SB_LINEDOWN, -1},
        {SB_LINEUP, 14},   {SB_PAGEUP, 4},    {SB_PAGEUP, 0},    {SB_PAGEUP, -1},
    };
    for (int nLineHeight : {1, 13, 16}) {
        int nPos = 0;
        for (const auto& s : steps) {
            const ScrollStep step = ComputeScrollStep(s.nSBCode, 0, nPos, nLineHeight, 10 * nLineHeight, 25 * nLineHeight);
            EXPECT_EQ(step.ignored, s.nExpectedPos < 0);
            nPos += step.delta;
            if (s.nExpectedPos >= 0) {
                EXPECT_EQ(nPos, s.nExpectedPos * nLineHeight) << "line height " << nLineHeight;
            }
        }
    }
}

TEST(ScrollKeys, OnlyThePageAndArrowKeysScroll)
{
    struct {
        UINT nChar;
        BOOL scrolls;
        UINT nSBCode;
    } const keys[] = {
        {VK_PRIOR, TRUE, SB_PAGEUP}, {VK_NEXT, TRUE, SB_PAGEDOWN}, {VK_UP, TRUE, SB_LINEUP},
        {VK_DOWN, TRUE, SB_LINEDOWN}, {VK_HOME, FALSE, 99},        {VK_END, FALSE, 99},
        {VK_LEFT, FALSE, 99},         {VK_RIGHT, FALSE, 99},       {VK_RETURN, FALSE, 99},
        {VK_ESCAPE, FALSE, 99},
    };
    for (const auto& k : keys) {
        UINT nSBCode = 99;
        EXPECT_EQ(ScrollCodeForKey(k.nChar, &nSBCode), k.scrolls) << k.nChar;
        EXPECT_EQ(nSBCode, k.nSBCode) << k.nChar;
    }
}

}  // namespace
