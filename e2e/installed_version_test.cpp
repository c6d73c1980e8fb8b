// The installed-version check against the real registry and a real version resource:
// a value under HKEY_CURRENT_USER names a copy of the helper program, whose
// FileVersion is "2.5.0.1" (helper.rc).
#include <gtest/gtest.h>

#include <ole2.h>
#include <oleacc.h>

#include <string>

#include "launcher_process.h"
#include "message_box_expectations.h"

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
    ASSERT_TRUE(launcher.Start()) << launcher.StartError();

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

// Latin, Greek, Cyrillic and CJK characters and an emoji beyond U+FFFF.
const std::string kMixed = u8"\u00dcn\u00efc\u00f6d\u00e9 \u0395\u03bb\u03bb\u03b7\u03bd\u03b9\u03ba\u03ac "
                           u8"\u041a\u0438\u0440\u0438\u043b\u043b\u0438\u0446\u0430 \u4e2d\u6587 \U0001F600";

// A script's UTF-8 text behind a byte-order mark: 0 UTF-8, 1 UTF-16LE, 2 UTF-16BE.
std::string Encode(const std::string& utf8, int nEncoding)
{
    std::string bytes = nEncoding == 0 ? "\xEF\xBB\xBF" + utf8 : "";
    for (const wchar_t unit : nEncoding == 0 ? L"" : L"\xFEFF" + Wide(utf8)) {
        const char pair[2] = {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
        bytes += std::string{pair[nEncoding - 1], pair[2 - nEncoding]};
    }
    return bytes;
}

// The message as a screen reader reads it from the view; empty if it cannot.
std::wstring MessageAsRead(HWND hView)
{
    std::wstring text;
    if (FAILED(CoInitialize(nullptr))) {
        return text;
    }
    IAccessible* pAccessible = nullptr;
    if (AccessibleObjectFromWindow(hView, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                   reinterpret_cast<void**>(&pAccessible)) == S_OK) {
        VARIANT self = {};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR value = nullptr;
        if (pAccessible->get_accValue(self, &value) == S_OK) {
            text.assign(value, SysStringLen(value));
            SysFreeString(value);
        }
        pAccessible->Release();
    }
    CoUninitialize();
    return text;
}

class UnicodeInstalledVersionTest : public testing::TestWithParam<int> {};

// A Unicode script, in each encoding, shows its texts exactly (the message as a screen
// reader reads it) and names the program, key, value and installed file in any
// script; the path is longer than 100 bytes of UTF-8 but within 100 characters, the
// limit there.
TEST_P(UnicodeInstalledVersionTest, TextsAndNamesInAnyScript)
{
    for (int nCase = 0; nCase < 5; ++nCase) {
        TestRegistryKey key(kMixed);
        LauncherProcess launcher(nullptr);
        const std::string folder = launcher.Folder() + kMixed + "\\";
        const std::string installed = folder + u8"\u03a9\u03bc\u03ad\u03b3\u03b1.exe";
        const std::string marker = "\"" + folder + kMixed + ".txt\"";
        const std::string missing = "\"" + folder + "missing.exe\" /q";
        ASSERT_TRUE(CreateFolder(folder) && CopyHelperTo(installed) && key.SetString(kMixed, installed));
        ASSERT_TRUE(installed.size() > 100 && Wide(installed).size() <= 100);
        const std::string kCases[][3] = {
            {"[RegVersion]\r\n2.5.0.1\r\n[Run]\r\n\"" + installed + "\" " + marker + "\r\n", "", ""},
            {"[RegVersion]\r\n2.5.0.1\r\n[Run]\r\n" + missing + "\r\n", "Error executing " + missing, ""},
            {"[RegVersion]\r\n2.5.0.2\r\n", "", "N " + kMixed},
            {"[RegVersion]\r\n1\r\n[Rootkey]\r\n" + kMixed + "\r\n", "", kMixed + " is a bad root key."},
            {"[Title]\r\nT\r\n" + kMixed + " ; note\r\n", "", "Error: " + kMixed + " "},
        };
        const std::string* c = kCases[nCase];  // script's end, box after Ok, box before the window
        SCOPED_TRACE(c[0]);
        ASSERT_TRUE(launcher.WriteScript(Encode("[Title]\r\nT " + kMixed + "\r\n[Ok]\r\nO " + kMixed + "\r\n[Cancel]\r\n" +
                                                    kMixed + "\r\n[Message]\r\nM " + kMixed + "\r\n[RegKey]\r\n" + key.Path() + "\r\n[RegValue]\r\n" +
                                                    kMixed + "\r\n[RegText]\r\nN " + kMixed + "\r\n" + c[0],
                                                GetParam())));
        ASSERT_TRUE(launcher.Start()) << launcher.StartError();
        if (c[2].empty()) {
            HWND hFrame = launcher.WaitForVisibleFrame();
            ASSERT_NE(hFrame, nullptr);
            EXPECT_EQ(WindowText(hFrame), "T " + kMixed);
            EXPECT_EQ(WindowText(GetDlgItem(hFrame, kOkId)), "O " + kMixed);
            EXPECT_EQ(WindowText(GetDlgItem(hFrame, kCancelId)), kMixed);
            EXPECT_TRUE(MessageAsRead(GetDlgItem(hFrame, kViewId)) == Wide("M " + kMixed));
            PostMessageA(GetDlgItem(hFrame, kOkId), BM_CLICK, 0, 0);
        }
        const std::string& box = c[2].empty() ? c[1] : c[2];
        if (!box.empty()) {
            HWND hBox = launcher.WaitForMessageBox();
            ASSERT_NE(hBox, nullptr);
            ExpectMessageBox(hBox, box, nCase == 4);
            ASSERT_TRUE(DismissMessageBox(hBox));
        } else {
            EXPECT_TRUE(WaitForFile(marker.substr(1, marker.size() - 2))) << "the [Run] command did not start";
            EXPECT_EQ(ReadWholeFile(marker.substr(1, marker.size() - 2)), "started with " + marker);
        }
        EXPECT_TRUE(launcher.ExitsWithStatusZero());
    }
}

INSTANTIATE_TEST_SUITE_P(Encodings, UnicodeInstalledVersionTest, testing::Values(0, 1, 2));

}  // namespace
