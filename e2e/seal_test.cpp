// A sealed launcher (setup_sealed.exe, sealed by the build to the medium of the
// helper program in sealed_medium/) on copies of that medium: untouched it starts its
// installer; a changed script or installer gets its box and nothing starts. The
// unsealed launcher starts a changed medium as before.
#include <gtest/gtest.h>

#include <string>

#include "launcher_process.h"
#include "message_box_expectations.h"

namespace {

enum class Change { kNone, kScript, kScriptGone, kInstaller, kGermanInstaller };

struct SealCase {
    const char* pszName;
    Change change;
    bool bSealed;
    const char* pszBox;  // the box, or null: the installer starts
};

const char kScriptChanged[] = "setup.ini has been changed since this medium was made.";

const SealCase kCases[] = {
    {"UntouchedMediumStarts", Change::kNone, true, nullptr},
    {"ChangedScript", Change::kScript, true, kScriptChanged},
    {"MissingScript", Change::kScriptGone, true, kScriptChanged},
    {"ChangedInstaller", Change::kInstaller, true, "install.exe has been changed since this medium was made."},
    {"UnsealedStartsAChangedMedium", Change::kInstaller, false, nullptr},
    {"ChangedGermanInstallerOnlyTellsGermanUsers", Change::kGermanInstaller, true, nullptr},
};

const SealCase kGermanCases[] = {
    {"UntouchedMediumStartsTheGermanInstaller", Change::kNone, true, nullptr},
    {"ChangedGermanInstaller", Change::kGermanInstaller, true,
     "de\\installieren.exe has been changed since this medium was made."},
};

bool CopyInto(const std::string& from, const std::string& to)
{
    return CopyFileW(Wide(from).c_str(), Wide(to).c_str(), FALSE) != FALSE;
}

// One byte more at the end: a program still runs so, and a script still reads.
bool AppendByte(const std::string& path)
{
    HANDLE hFile = CreateFileW(Wide(path).c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    DWORD nWritten = 0;
    const bool bOk = hFile != INVALID_HANDLE_VALUE && WriteFile(hFile, "\n", 1, &nWritten, nullptr) && nWritten == 1;
    CloseHandle(hFile);
    return bOk;
}

void PrintTo(const SealCase& c, std::ostream* pStream) { *pStream << c.pszName; }

void RunCase(const SealCase& c, const char* pszMarker)
{
    // The scratch folder holds a copy of the medium and, as its setup.exe, the launcher.
    LauncherProcess scratch(nullptr);
    const std::string medium = WindowsPath(SEALED_MEDIUM_DIR) + "\\";
    const std::string folder = scratch.Folder();
    ASSERT_TRUE(CreateFolder(folder + "de"));
    ASSERT_TRUE(CopyInto(medium + "setup.ini", folder + "setup.ini"));
    ASSERT_TRUE(CopyInto(medium + "install.exe", folder + "install.exe"));
    ASSERT_TRUE(CopyInto(medium + "de\\Installieren.exe", folder + "de\\Installieren.exe"));
    ASSERT_TRUE(CopyInto(WindowsPath(c.bSealed ? SETUP_SEALED_EXE_PATH : SETUP_EXE_PATH), folder + "setup.exe"));
    switch (c.change) {
    case Change::kNone:
        break;
    case Change::kScript:
        ASSERT_TRUE(AppendByte(folder + "setup.ini"));
        break;
    case Change::kScriptGone:
        ASSERT_TRUE(DeleteFileW(Wide(folder + "setup.ini").c_str()));
        break;
    case Change::kInstaller:
        ASSERT_TRUE(AppendByte(folder + "install.exe"));
        break;
    case Change::kGermanInstaller:
        ASSERT_TRUE(AppendByte(folder + "de\\Installieren.exe"));
        break;
    }
    LauncherProcess launcher(folder);
    ASSERT_TRUE(launcher.Start());
    const bool bScriptBox = c.pszBox != nullptr && std::string(c.pszBox) == kScriptChanged;
    if (!bScriptBox) {
        HWND hFrame = launcher.WaitForVisibleFrame();
        ASSERT_NE(hFrame, nullptr);
        PostMessageA(GetDlgItem(hFrame, kOkId), BM_CLICK, 0, 0);
    }
    if (c.pszBox != nullptr) {
        HWND hBox = launcher.WaitForMessageBox();
        ASSERT_NE(hBox, nullptr);
        // Start-up boxes carry the exclamation icon; the default button's, as its "Error executing", none.
        ExpectMessageBox(hBox, c.pszBox, bScriptBox);
        ASSERT_TRUE(DismissMessageBox(hBox));
    }
    EXPECT_TRUE(launcher.ExitsWithStatusZero());
    EXPECT_EQ(launcher.MessageBoxesShown(), c.pszBox != nullptr ? 1 : 0);
    if (bScriptBox) {
        EXPECT_EQ(launcher.WindowsShown(), 0) << "a window was shown for a changed script";
    }
    if (c.pszBox == nullptr) {
        EXPECT_TRUE(WaitForFile(folder + pszMarker)) << "the installer did not start";
    } else {
        Sleep(1000);  // the time a wrongly started installer would need to write
        EXPECT_FALSE(FileExists(folder + pszMarker)) << "an installer started";
    }
}

class SealTest : public testing::TestWithParam<SealCase> {};

TEST_P(SealTest, StartsOnlyWhatWasSealed) { RunCase(GetParam(), "started.txt"); }

INSTANTIATE_TEST_SUITE_P(Medium, SealTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<SealCase>& info) { return info.param.pszName; });

// In a German locale the launcher starts [Run.de]: its installer is checked.
class SealLanguageTest : public testing::TestWithParam<SealCase> {};

TEST_P(SealLanguageTest, StartsOnlyWhatWasSealed)
{
    ASSERT_EQ(PRIMARYLANGID(GetUserDefaultUILanguage()), LANG_GERMAN) << "needs LC_ALL=de_DE.UTF-8";
    RunCase(GetParam(), "gestartet.txt");
}

INSTANTIATE_TEST_SUITE_P(Medium, SealLanguageTest, testing::ValuesIn(kGermanCases),
                         [](const testing::TestParamInfo<SealCase>& info) { return info.param.pszName; });

}  // namespace
