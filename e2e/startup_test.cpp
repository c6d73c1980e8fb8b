// Start-up outcomes of the real program: a missing script, a rejected script, and a
// message too long for the view.
#include <gtest/gtest.h>

#include "launcher_process.h"
#include "message_box_expectations.h"
#include "largest_script.h"

namespace {

TEST(StartupTest, MissingScriptIsReportedThenDefaultsShow)
{
    LauncherProcess launcher(nullptr);
    ASSERT_TRUE(launcher.Start()) << launcher.StartError();

    HWND hBox = launcher.WaitForMessageBox();
    ASSERT_NE(hBox, nullptr);
    ExpectMessageBox(hBox, "Can't open setup.ini", true);
    EXPECT_EQ(launcher.WindowsShown(), 0);
    ASSERT_TRUE(DismissMessageBox(hBox));

    HWND hFrame = launcher.WaitForVisibleFrame();
    ASSERT_NE(hFrame, nullptr);
    EXPECT_EQ(WindowText(hFrame), "");
    EXPECT_EQ(WindowText(GetDlgItem(hFrame, kOkId)), "Ok");
    EXPECT_EQ(WindowText(GetDlgItem(hFrame, kCancelId)), "Cancel");

    // Ok with no command line closes without a message.
    PostMessageA(GetDlgItem(hFrame, kOkId), BM_CLICK, 0, 0);
    EXPECT_TRUE(launcher.ExitsWithStatusZero());
}

TEST(StartupTest, ScriptErrorEndsWithoutAnyWindow)
{
    LauncherProcess launcher("[Title]\r\nTallowmere Atlas\r\nstray line ; note\r\n");
    ASSERT_TRUE(launcher.Start()) << launcher.StartError();

    HWND hBox = launcher.WaitForMessageBox();
    ASSERT_NE(hBox, nullptr);
    ExpectMessageBox(hBox, "Error: stray line ", true);
    EXPECT_EQ(launcher.Frame(), nullptr);
    ASSERT_TRUE(DismissMessageBox(hBox));

    EXPECT_TRUE(launcher.ExitsWithStatusZero());
    EXPECT_EQ(launcher.WindowsShown(), 0);
    EXPECT_EQ(launcher.MessageBoxesShown(), 1);
}

TEST(StartupTest, TooManyViewLinesAreReportedBeforeTheWindowShows)
{
    const std::string script = LargestScript();
    LauncherProcess launcher(script.c_str());
    ASSERT_TRUE(launcher.Start()) << launcher.StartError();

    HWND hBox = launcher.WaitForMessageBox();
    ASSERT_NE(hBox, nullptr);
    ExpectMessageBox(hBox, "Maximum number of view lines exceeded", true);
    EXPECT_EQ(launcher.WindowsShown(), 0);
    ASSERT_TRUE(DismissMessageBox(hBox));

    HWND hFrame = launcher.WaitForVisibleFrame();
    ASSERT_NE(hFrame, nullptr);
    EXPECT_EQ(launcher.VisibleMessageBox(), nullptr);

    // The 1500 stored lines stay and the scroll range covers them.
    HWND hView = GetDlgItem(hFrame, kViewId);
    HDC hDC = GetDC(hView);
    ASSERT_NE(hDC, nullptr);
    TEXTMETRICA metrics;
    ASSERT_TRUE(GetTextMetricsA(hDC, &metrics));
    ReleaseDC(hView, hDC);
    SCROLLINFO info;
    ASSERT_TRUE(launcher.ReadScrollBar(hView, &info));
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, 1500 * metrics.tmHeight);
    EXPECT_EQ(launcher.MessageBoxesShown(), 1);

    PostMessageA(hView, WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_TRUE(launcher.ExitsWithStatusZero());
}

}  // namespace
