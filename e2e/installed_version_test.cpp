// The installed-version check against the real registry and a real version resource:
// a value under HKEY_CURRENT_USER names a copy of the helper program, whose
// FileVersion is "2.5.0.1" (helper.rc).
#include <gtest/gtest.h>

#include <string>

#include "launcher_process.h"
#include "message_box_expectations.h"
#include "unicode_script.h"

namespace {

// A registry key of this test alone, removed again however the test ends.
class TestRegistryKey {
public:
    explicit TestRegistryKey(const std::string& name)
        : m_strPath("Software\\SetupLauncherE2E\\" + std::to_string(GetCurrentProcessId()) + "-" + name)
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, Wide(m_strPath).c_str());
    }
    ~TestRegistryKey()
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, Wide(m_strPath).c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\SetupLauncherE2E");
    }
    TestRegistryKey(const TestRegistryKey&) = delete;
    TestRegistryKey& operator=(const TestRegistryKey&) = delete;

    const std::string& Path() const { return m_strPath; }

    bool SetString(const std::string& value, const std::string& data)
    {
        HKEY hKey = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, Wide(m_strPath).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &hKey,
                            nullptr) != ERROR_SUCCESS) {
            return false;
        }
        const std::wstring wideData = Wide(data);
        const LONG lResult = RegSetValueExW(hKey, Wide(value).c_str(), 0, REG_SZ,
                                            reinterpret_cast<const BYTE*>(wideData.c_str()),
                                            static_cast<DWORD>((wideData.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(hKey);
        return lResult == ERROR_SUCCESS;
    }

private:
    std::string m_strPath;
};

enum class Outcome { kWindow, kMessageThenEnd, kSilentEnd };

struct VersionCase {
    const char* pszName;
    const char* pszRootkey;    // null: no [Rootkey] section
    const char* pszVersion;    // [RegVersion]
    const char* pszRegText;    // the [RegText] lines, CR-LF ended; null: no section
    bool bFileExists;          // whether the registry value names a real file
    Outcome outcome;
    const char* pszMessage;    // the box's text for kMessageThenEnd
};

const VersionCase kCases[] = {
    {"SameVersionShowsTheWindow", "HKEY_CURRENT_USER", "2.5.0.1", "A different copy is installed.\r\n", true,
     Outcome::kWindow, nullptr},
    {"DefaultRootkeyIsTheCurrentUser", nullptr, "2.5.0.1", nullptr, true, Outcome::kWindow, nullptr},
    {"OtherVersionShowsTheFirstNoticeLine", "HKEY_CURRENT_USER", "2.5.0.2",
     "Version 2.5.0.1 is installed.\r\nRemove it first.\r\n", true, Outcome::kMessageThenEnd,
     "Version 2.5.0.1 is installed."},
    {"VersionsCompareAsText", nullptr, "2.5.0.01", "Another version is installed.\r\n", true,
     Outcome::kMessageThenEnd, "Another version is installed."},
    {"OtherVersionWithoutNoticeEndsSilently", nullptr, "3.0", nullptr, true, Outcome::kSilentEnd, nullptr},
    {"MissingFileShowsTheWindow", nullptr, "3.0", "Another version is installed.\r\n", false, Outcome::kWindow,
     nullptr},
    {"LowerCaseRootkeyIsBad", "hkey_current_user", "2.5.0.1", nullptr, true, Outcome::kMessageThenEnd,
     "hkey_current_user is a bad root key."},
    {"ShortRootkeyIsBad", "HKCU", "2.5.0.1", nullptr, true, Outcome::kMessageThenEnd, "HKCU is a bad root key."},
};

void PrintTo(const VersionCase& c, std::ostream* pStream)
{
    *pStream << c.pszName;
}

class InstalledVersionTest : public testing::TestWithParam<VersionCase> {};

std::string ScriptFor(const VersionCase& c, const std::string& regKey)
{
    std::string script = "[Title]\r\nVersion check\r\n";
    if (c.pszRootkey != nullptr) {
        script += std::string("[Rootkey]\r\n") + c.pszRootkey + "\r\n";
    }
    script += "[RegKey]\r\n" + regKey + "\r\n[RegValue]\r\nInstalledFile\r\n";
    script += std::string("[RegVersion]\r\n") + c.pszVersion + "\r\n";
    if (c.pszRegText != nullptr) {
        script += std::string("[RegText]\r\n") + c.pszRegText;
    }
    return script;
}

TEST_P(InstalledVersionTest, Outcome)
{
    const VersionCase& c = GetParam();
    TestRegistryKey key(c.pszName);
    const std::string script = ScriptFor(c, key.Path());
    LauncherProcess launcher(script.c_str());

    // A short path: the check reads at most 100 bytes of it.
    const std::string installed = launcher.Folder() + "installed.exe";
    if (c.bFileExists) {
        ASSERT_TRUE(CopyHelperTo(installed));
    }
    ASSERT_TRUE(key.SetString("InstalledFile", installed));
    ASSERT_TRUE(launcher.Start());

    DWORD dwExitCode = 1;
    switch (c.outcome) {
    case Outcome::kWindow: {
        HWND hFrame = launcher.WaitForVisibleFrame();
        ASSERT_NE(hFrame, nullptr);
        EXPECT_EQ(launcher.VisibleMessageBox(), nullptr);
        PostMessageA(GetDlgItem(hFrame, kViewId), WM_KEYDOWN, VK_ESCAPE, 1);
        break;
    }
    case Outcome::kMessageThenEnd: {
        HWND hBox = launcher.WaitForMessageBox();
        ASSERT_NE(hBox, nullptr);
        const MessageBoxContent box = ExpectMessageBox(hBox, c.pszMessage, false);
        HWND hFrame = launcher.Frame();
        EXPECT_NE(hFrame, nullptr);
        EXPECT_EQ(box.owner, hFrame);
        EXPECT_FALSE(IsWindowVisible(hFrame));
        ASSERT_TRUE(DismissMessageBox(hBox));
        break;
    }
    case Outcome::kSilentEnd:
        break;
    }
    ASSERT_TRUE(launcher.WaitForExit(&dwExitCode));
    EXPECT_EQ(dwExitCode, 0u);
    EXPECT_EQ(launcher.WindowsShown(), c.outcome == Outcome::kWindow ? 1 : 0);
    EXPECT_EQ(launcher.MessageBoxesShown(), c.outcome == Outcome::kMessageThenEnd ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Registry, InstalledVersionTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<VersionCase>& info) { return info.param.pszName; });

// A Unicode script names the key, the value and the file in any script. The path
// is longer than 100 bytes of UTF-8 but within 100 characters, the limit there.
TEST(UnicodeInstalledVersionTest, KeyValueAndFileNamedInAnyScript)
{
    for (const ScriptEncoding encoding : {ScriptEncoding::kUtf8, ScriptEncoding::kUtf16Le}) {
        for (const char* pszVersion : {"2.5.0.1", "2.5.0.2"}) {
            SCOPED_TRACE(std::string(ScriptEncodingName(encoding)) + " " + pszVersion);
            const bool bSame = std::string(pszVersion) == "2.5.0.1";
            TestRegistryKey key(kMixedText);
            const std::string script = "[RegKey]\r\n" + key.Path() + "\r\n[RegValue]\r\n" + kMixedText +
                                       "\r\n[RegVersion]\r\n" + pszVersion + "\r\n[RegText]\r\n" + kMixedText +
                                       "\r\n";
            LauncherProcess launcher(nullptr);
            ASSERT_TRUE(launcher.WriteScript(EncodeScript(script, encoding)));
            const std::string installed = launcher.Folder() + kMixedText + u8" \u03a9\u03bc\u03ad\u03b3\u03b1.exe";
            ASSERT_GT(installed.size(), 100u);
            ASSERT_LE(Wide(installed).size(), 100u);
            ASSERT_TRUE(CopyHelperTo(installed));
            ASSERT_TRUE(key.SetString(kMixedText, installed));
            ASSERT_TRUE(launcher.Start());
            if (bSame) {
                HWND hFrame = launcher.WaitForVisibleFrame();
                ASSERT_NE(hFrame, nullptr);
                PostMessageA(GetDlgItem(hFrame, kViewId), WM_KEYDOWN, VK_ESCAPE, 1);
            } else {
                HWND hBox = launcher.WaitForMessageBox();
                ASSERT_NE(hBox, nullptr);
                ExpectMessageBox(hBox, kMixedText, false);
                ASSERT_TRUE(DismissMessageBox(hBox));
            }
            EXPECT_TRUE(launcher.ExitsWithStatusZero());
            EXPECT_EQ(launcher.WindowsShown(), bSame ? 1 : 0);
        }
    }
}

}  // namespace
