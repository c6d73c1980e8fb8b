// The two actions of the launcher window, by button and by key: Ok starts the [Run]
// command line and closes, Cancel just closes; a command that cannot start is
// reported in a box owned by the window.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "launcher_process.h"
#include "message_box_expectations.h"

namespace {

// kEnterSubclassed: Enter once another program has subclassed the frame.
enum class Press { kOkButton, kCancelButton, kEnter, kEscape, kEnterSubclassed };

struct ActionCase {
    const char* pszName;
    Press press;
    bool bStarts;
};

const ActionCase kCases[] = {
    {"OkButtonStartsTheCommand", Press::kOkButton, true},
    {"EnterStartsTheCommand", Press::kEnter, true},
    {"CancelButtonOnlyCloses", Press::kCancelButton, false},
    {"EscapeOnlyCloses", Press::kEscape, false},
    {"EnterReachesASubclassedFrame", Press::kEnterSubclassed, true},
};

void Do(Press press, HWND hFrame, LauncherProcess& launcher)
{
    switch (press) {
    case Press::kOkButton:
        PostMessageA(GetDlgItem(hFrame, kOkId), BM_CLICK, 0, 0);
        break;
    case Press::kCancelButton:
        PostMessageA(GetDlgItem(hFrame, kCancelId), BM_CLICK, 0, 0);
        break;
    case Press::kEnter:
        PostMessageA(GetDlgItem(hFrame, kViewId), WM_KEYDOWN, VK_RETURN, 1);
        break;
    case Press::kEscape:
        PostMessageA(GetDlgItem(hFrame, kViewId), WM_KEYDOWN, VK_ESCAPE, 1);
        break;
    case Press::kEnterSubclassed:
        EXPECT_TRUE(launcher.Subclass(hFrame));
        PostMessageA(GetDlgItem(hFrame, kViewId), WM_KEYDOWN, VK_RETURN, 1);
        break;
    }
}

void PrintTo(const ActionCase& c, std::ostream* pStream)
{
    *pStream << c.pszName;
}

class ActionTest : public testing::TestWithParam<ActionCase> {};

TEST_P(ActionTest, ClosesAndStartsOnlyOnOk)
{
    const ActionCase& c = GetParam();
    LauncherProcess launcher(nullptr);
    const std::string helper = launcher.Folder() + "helper.exe";
    const std::string marker = launcher.Folder() + "started.txt";
    ASSERT_TRUE(CopyHelperTo(helper));
    const std::string run = "\"" + helper + "\" " + marker;
    ASSERT_TRUE(launcher.WriteScript("[Title]\r\nActions\r\n[Run]\r\n" + run + "\r\n"));
    ASSERT_TRUE(launcher.Start());
    HWND hFrame = launcher.WaitForVisibleFrame();
    ASSERT_NE(hFrame, nullptr);

    Do(c.press, hFrame, launcher);
    EXPECT_TRUE(launcher.ExitsWithStatusZero());
    EXPECT_EQ(launcher.MessageBoxesShown(), 0);
    if (c.bStarts) {
        EXPECT_TRUE(WaitForFile(marker)) << "the [Run] command did not start";
        EXPECT_EQ(ReadWholeFile(marker), "started with " + marker);
    } else {
        // Give a wrongly started helper the time it would need to write.
        Sleep(1000);
        EXPECT_FALSE(FileExists(marker));
    }
}

INSTANTIATE_TEST_SUITE_P(Press, ActionTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<ActionCase>& info) { return info.param.pszName; });

class ActionFailureTest : public testing::TestWithParam<const char*> {};

TEST_P(ActionFailureTest, CommandThatCannotStartIsReportedThenCloses)
{
    const std::string command = GetParam();
    LauncherProcess launcher(("[Title]\r\nActions\r\n[Run]\r\n" + command + "\r\n").c_str());
    ASSERT_TRUE(launcher.Start());
    HWND hFrame = launcher.WaitForVisibleFrame();
    ASSERT_NE(hFrame, nullptr);

    PostMessageA(GetDlgItem(hFrame, kViewId), WM_KEYDOWN, VK_RETURN, 1);
    HWND hBox = launcher.WaitForMessageBox();
    ASSERT_NE(hBox, nullptr);
    const MessageBoxContent box = ExpectMessageBox(hBox, "Error executing " + command, false);
    EXPECT_EQ(box.owner, hFrame);
    // A second Enter queued while the box is up must not run the action again.
    PostMessageA(GetDlgItem(hFrame, kViewId), WM_KEYDOWN, VK_RETURN, 1);
    ASSERT_TRUE(DismissMessageBox(hBox));

    EXPECT_TRUE(launcher.ExitsWithStatusZero());
    EXPECT_EQ(launcher.MessageBoxesShown(), 1) << "a second box came up";
}

// The text is composed in a fixed buffer that holds 83 characters of the command
// line; a longer one must still come out whole and leave the program sound.
INSTANTIATE_TEST_SUITE_P(
    Run, ActionFailureTest,
    testing::Values("no-such-program.exe /quiet",
                    "no-such-folder\\install\\no-such-program.exe /quiet /log=install-log.txt /target=C:\\Programs\\"
                    "Tallowmere Atlas /components=maps,survey,routes,samples"));

// A medium's tree unpacked by scripts/check-medium.sh (SETUP_E2E_MEDIUM, its Unix
// path), whose [Run] program writes its arguments into the file they name: its own
// setup.exe shows the window without a box, and the default button starts that program.
TEST(MediumTest, DefaultButtonStartsTheRunProgram)
{
    const char* pszMedium = std::getenv("SETUP_E2E_MEDIUM");
    if (pszMedium == nullptr) {
        GTEST_SKIP() << "SETUP_E2E_MEDIUM names no unpacked medium";
    }
    LauncherProcess launcher(WindowsPath(pszMedium) + "\\");
    ASSERT_TRUE(launcher.Start());
    HWND hFrame = launcher.WaitForVisibleFrame();
    ASSERT_NE(hFrame, nullptr);
    PostMessageA(GetDlgItem(hFrame, kOkId), BM_CLICK, 0, 0);
    EXPECT_TRUE(launcher.ExitsWithStatusZero());
    EXPECT_EQ(launcher.MessageBoxesShown(), 0);
    EXPECT_TRUE(WaitForFile(launcher.Folder() + "started.txt")) << "the [Run] program did not start";
    EXPECT_EQ(ReadWholeFile(launcher.Folder() + "started.txt"), "started with started.txt");
}

}  // namespace
