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

// Starts the launcher, presses once its window shows, and expects it to end with
// status 0 and no box.
void PressAndExpectQuietExit(LauncherProcess& launcher, Press press)
{
    ASSERT_TRUE(launcher.Start()) << launcher.StartError();
    HWND hFrame = launcher.WaitForVisibleFrame();
    ASSERT_NE(hFrame, nullptr);
    Do(press, hFrame, launcher);
    EXPECT_TRUE(launcher.ExitsWithStatusZero());
    EXPECT_EQ(launcher.MessageBoxesShown(), 0);
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
    ASSERT_NO_FATAL_FAILURE(PressAndExpectQuietExit(launcher, c.press));
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
    ASSERT_TRUE(launcher.Start()) << launcher.StartError();
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

// An installer package as the [Run] program, opened by the shell as Windows opens a
// package, or named to msiexec from Windows' own folder: the default button installs
// it (e2e/package.wxs, whose one file goes into the common application data folder).
struct PackageCase {
    const char* pszName;
    const char* pszRun;
};

const PackageCase kPackageCases[] = {
    {"OpenedAsADocument", "product.msi"},
    {"NamedToMsiexec", "msiexec /i product.msi /qn"},
};

void PrintTo(const PackageCase& c, std::ostream* pStream) { *pStream << c.pszName; }

// Starts a command line and waits for its end; false, with the reason, if it did not start.
testing::AssertionResult RunAndWait(const std::string& commandLine)
{
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string error;
    if (!StartProcess(Wide(commandLine), FALSE, 0, "", &startup, &process, &error)) {
        return testing::AssertionFailure() << commandLine << " did not start: " << error;
    }
    WaitForSingleObject(process.hProcess, kTimeoutMs);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return testing::AssertionSuccess();
}

class PackageTest : public testing::TestWithParam<PackageCase> {};

TEST_P(PackageTest, DefaultButtonInstallsThePackage)
{
#ifndef E2E_PACKAGE_PATH
    GTEST_SKIP() << "no installer package: wixl was not found when the build was configured";
#else
    char szInstalled[MAX_PATH] = "";
    ASSERT_GT(ExpandEnvironmentStringsA("%ProgramData%\\SetupLauncherTestPackage\\installed.txt", szInstalled,
                                        MAX_PATH), 0u);
    const std::string uninstall = "msiexec /x " E2E_PACKAGE_PRODUCT_CODE " /qn";
    // What an earlier run may have left installed goes first.
    ASSERT_TRUE(RunAndWait(uninstall));
    ASSERT_FALSE(FileExists(szInstalled));
    LauncherProcess launcher(nullptr);
    ASSERT_TRUE(CopyFileW(Wide(WindowsPath(E2E_PACKAGE_PATH)).c_str(), Wide(launcher.Folder() + "product.msi").c_str(),
                          FALSE));
    ASSERT_TRUE(launcher.WriteScript(std::string("[Title]\r\nPackage\r\n[Run]\r\n") + GetParam().pszRun + "\r\n"));
    ASSERT_NO_FATAL_FAILURE(PressAndExpectQuietExit(launcher, Press::kOkButton));
    EXPECT_TRUE(WaitForFile(szInstalled)) << "the package did not install " << szInstalled;
    EXPECT_TRUE(RunAndWait(uninstall));
#endif
}

INSTANTIATE_TEST_SUITE_P(Run, PackageTest, testing::ValuesIn(kPackageCases),
                         [](const testing::TestParamInfo<PackageCase>& info) { return info.param.pszName; });

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
    ASSERT_NO_FATAL_FAILURE(PressAndExpectQuietExit(launcher, Press::kOkButton));
    EXPECT_TRUE(WaitForFile(launcher.Folder() + "started.txt")) << "the [Run] program did not start";
    EXPECT_EQ(ReadWholeFile(launcher.Folder() + "started.txt"), "started with started.txt");
}

}  // namespace
