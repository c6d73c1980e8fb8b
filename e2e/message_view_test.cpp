// Scrolling the message view with the keys, read back from its real scroll bar.
#include <gtest/gtest.h>

#include <string>

#include "launcher_process.h"

namespace {

constexpr int kMessageLines = 40;

// Forty short lines: one display line each.
std::string FortyLineScript()
{
    std::string script = "[Title]\r\nScrolling\r\n[Message]\r\n";
    for (int i = 1; i <= kMessageLines; ++i) {
        script += "Line " + std::to_string(i) + "\r\n";
    }
    return script;
}

TEST(MessageViewTest, KeysScrollByLinesAndPagesWithinTheText)
{
    const std::string script = FortyLineScript();
    LauncherProcess launcher(script.c_str());
    ASSERT_TRUE(launcher.Start());
    HWND hFrame = launcher.WaitForVisibleFrame();
    ASSERT_NE(hFrame, nullptr);
    HWND hView = GetDlgItem(hFrame, kViewId);
    ASSERT_NE(hView, nullptr);

    TEXTMETRICA metrics = {};
    HDC hDC = GetDC(hView);
    GetTextMetricsA(hDC, &metrics);
    ReleaseDC(hView, hDC);
    const int h = metrics.tmHeight;
    RECT client = {};
    GetClientRect(hView, &client);
    const int nRows = client.bottom / h;
    // The expectations below need a view of 14 to 19 rows: two pages pass the end
    // of the text and a page back from one line before the end stays inside it.
    ASSERT_GE(nRows, 14);
    ASSERT_LE(nRows, 19);
    const int nPage = nRows * h;
    const int nGreatest = kMessageLines * h - nPage;

    EXPECT_TRUE(GetWindowLongA(hView, GWL_STYLE) & WS_VSCROLL);
    SCROLLINFO info;
    ASSERT_TRUE(launcher.ReadScrollBar(hView, &info));
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, kMessageLines * h);
    EXPECT_EQ(static_cast<int>(info.nPage), nPage);
    EXPECT_EQ(info.nPos, 0);
    // Away to another window and back: the keys still reach the view.
    ASSERT_EQ(launcher.FocusAfterSwitchingAway(hFrame), hView);

    struct Step {
        WPARAM nKey;
        int nPos;
    };
    const Step steps[] = {
        {VK_UP, 0},                           // nothing above the top
        {VK_PRIOR, 0},
        {VK_DOWN, h},
        {VK_UP, 0},
        {VK_NEXT, nPage},
        {VK_NEXT, nGreatest},                 // cut short at the last page
        {VK_NEXT, nGreatest},                 // ignored there
        {VK_DOWN, nGreatest},
        {VK_HOME, nGreatest},                 // keys other than the four do nothing
        {VK_END, nGreatest},
        {VK_LEFT, nGreatest},
        {VK_UP, nGreatest - h},
        {VK_PRIOR, nGreatest - h - nPage},
        {VK_PRIOR, 0},                        // cut short at the top
        {VK_RIGHT, 0},
    };
    for (const Step& step : steps) {
        PostMessageA(hView, WM_KEYDOWN, step.nKey, 1);
        ASSERT_TRUE(launcher.ReadScrollBar(hView, &info));
        EXPECT_EQ(info.nPos, step.nPos) << "after key " << step.nKey;
        EXPECT_EQ(info.nMax, kMessageLines * h);
    }
    EXPECT_TRUE(IsWindowVisible(hFrame));

    PostMessageA(hView, WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_TRUE(launcher.ExitsWithStatusZero());
}

TEST(MessageViewTest, MessageShorterThanTheViewDoesNotScroll)
{
    LauncherProcess launcher("[Message]\r\nOne line only.\r\n");
    ASSERT_TRUE(launcher.Start());
    HWND hFrame = launcher.WaitForVisibleFrame();
    ASSERT_NE(hFrame, nullptr);
    HWND hView = GetDlgItem(hFrame, kViewId);

    for (WPARAM nKey : {VK_NEXT, VK_DOWN, VK_UP, VK_PRIOR}) {
        PostMessageA(hView, WM_KEYDOWN, nKey, 1);
        SCROLLINFO info;
        ASSERT_TRUE(launcher.ReadScrollBar(hView, &info));
        EXPECT_EQ(info.nPos, 0) << "after key " << nKey;
    }

    PostMessageA(hView, WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_TRUE(launcher.ExitsWithStatusZero());
}

}  // namespace
