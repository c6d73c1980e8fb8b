// What a screen reader finds through MSAA: the view is static text named by the
// caption, whose value is the message one display line to a line, as wrapped at the
// display's scale; private messages from another process write nothing into the
// launcher; once the launcher is gone the object answers with an error.
#include <gtest/gtest.h>

#include <ole2.h>
#include <oleacc.h>

#include <string>
#include <vector>

#include "launcher_process.h"
#include "wrap_reference.h"

namespace {

TEST(AccessibilityTest, ViewIsStaticTextOfTheMessageAsShown)
{
    // Longer than the view, so that the scroll bar stays and the client area keeps
    // the width the text was wrapped to.
    std::string message = "Tallowmere Atlas puts every map of the region on this computer, with the survey notes "
                          "that go with them, and a search that finds a farm by any of its old names.\n\nPress Install.\n";
    for (int i = 1; i <= 30; ++i) {
        message += "Sheet " + std::to_string(i) + "\n";
    }
    std::string script = "[Title]\r\nAtlas Setup\r\n[Message]\r\n";
    for (char c : message) {
        script += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    LauncherProcess launcher(script.c_str());
    ASSERT_TRUE(launcher.Start()) << launcher.StartError();
    HWND hFrame = launcher.WaitForVisibleFrame();
    ASSERT_NE(hFrame, nullptr);
    HWND hView = GetDlgItem(hFrame, kViewId);

    // The lines as shown, measured here in the view's own font, without their fill.
    HDC hDC = GetDC(hView);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(hDC, &metrics);
    RECT client = {};
    GetClientRect(hView, &client);
    const WrapResult wrapped = ReferenceWrapMessageText(
        message.c_str(), client.right, ScaledPx(20), metrics.tmAveCharWidth,
        [hDC](const char* psz, int nCount) {
            SIZE size = {};
            GetTextExtentPoint32A(hDC, psz, nCount, &size);
            return static_cast<int>(size.cx);
        },
        1500);
    ReleaseDC(hView, hDC);
    std::wstring shown;
    for (std::size_t i = 0; i < wrapped.lines.size(); ++i) {
        const std::string& line = wrapped.lines[i];
        shown += (i > 0 ? L"\r\n" : L"") + std::wstring(line.begin(), line.begin() + (line.find_last_not_of(' ') + 1));
    }
    SCROLLINFO info;
    ASSERT_TRUE(launcher.ReadScrollBar(hView, &info));
    EXPECT_EQ(info.nMax, static_cast<int>(wrapped.lines.size()) * metrics.tmHeight);

    IAccessible* pAccessible = nullptr;
    ASSERT_EQ(AccessibleObjectFromWindow(hView, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&pAccessible)), S_OK);
    VARIANT self = {};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT role = {};
    ASSERT_EQ(pAccessible->get_accRole(self, &role), S_OK);
    EXPECT_EQ(role.lVal, ROLE_SYSTEM_STATICTEXT);
    BSTR name = nullptr, value = nullptr, description = nullptr;
    ASSERT_EQ(pAccessible->get_accName(self, &name), S_OK);
    ASSERT_EQ(pAccessible->get_accValue(self, &value), S_OK);
    ASSERT_EQ(pAccessible->get_accDescription(self, &description), S_OK);
    EXPECT_EQ(std::wstring(name), L"Atlas Setup");
    EXPECT_TRUE(std::wstring(value) == shown) << "value: " << std::string(value, value + SysStringLen(value));
    EXPECT_TRUE(std::wstring(description) == shown);
    SysFreeString(name);
    SysFreeString(value);
    SysFreeString(description);

    // Private messages from another process, each with an address in the launcher's
    // memory: nothing is written there, and the launcher goes on as before.
    const std::vector<char> zeros(4096);
    void* pRemote = VirtualAllocEx(launcher.Process(), nullptr, zeros.size(), MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    ASSERT_NE(pRemote, nullptr);
    for (UINT message = WM_USER; message < WM_USER + 0x200; ++message) {
        for (HWND hWnd : {hFrame, hView}) {
            SendMessageTimeoutA(hWnd, message, reinterpret_cast<WPARAM>(pRemote), reinterpret_cast<LPARAM>(pRemote),
                                SMTO_BLOCK, kTimeoutMs, nullptr);
        }
    }
    std::vector<char> after(zeros.size(), 1);
    ASSERT_TRUE(ReadProcessMemory(launcher.Process(), pRemote, after.data(), after.size(), nullptr));
    EXPECT_TRUE(after == zeros);

    PostMessageA(hView, WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_TRUE(launcher.ExitsWithStatusZero());
    EXPECT_TRUE(FAILED(pAccessible->get_accValue(self, &value)));
    pAccessible->Release();
    CoUninitialize();
}

// Run with LC_ALL=de_DE.UTF-8 and ja_JP.UTF-8 (e2e/CMakeLists.txt), which Wine takes
// for the user's language: the title from the full tag, the message and Ok from the
// language alone, Cancel untagged; a script of another language shows its untagged
// sections. The German script is ANSI (Windows-1252), the Japanese one UTF-8.
TEST(LanguageTest, SectionsOfTheUsersLanguage)
{
    const LANGID language = PRIMARYLANGID(GetUserDefaultUILanguage());
    ASSERT_TRUE(language == LANG_GERMAN || language == LANG_JAPANESE) << "needs LC_ALL=de_DE.UTF-8 or ja_JP.UTF-8";
    const bool bGerman = language == LANG_GERMAN;
    // Title, message and Ok, as written in the script and as shown.
    const char* const german[][2] = {{"Einf\xFChrung", "Einf\xC3\xBChrung"}, {"Gr\xFC\xDF" "e", "Gr\xC3\xBC\xC3\x9F" "e"},
                                     {"Los", "Los"}};
    const char* const japanese[][2] = {{"\xE5\xB0\x8E\xE5\x85\xA5", "\xE5\xB0\x8E\xE5\x85\xA5"},
                                       {"\xE3\x82\x88\xE3\x81\x86\xE3\x81\x93\xE3\x81\x9D", "\xE3\x82\x88\xE3\x81\x86\xE3\x81\x93\xE3\x81\x9D"},
                                       {"\xE9\x96\x8B\xE5\xA7\x8B", "\xE9\x96\x8B\xE5\xA7\x8B"}};
    const auto& own = bGerman ? german : japanese;
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    for (const std::string tag : {bGerman ? "de" : "ja", "fr"}) {
        const bool bOwn = tag != "fr";
        const std::string script = std::string(bGerman ? "" : "\xEF\xBB\xBF") +
            "[Title]\r\nSetup\r\n[Message]\r\nWelcome.\r\n[Ok]\r\nInstall\r\n[Cancel]\r\nClose\r\n[Title." + tag +
            (bGerman ? "-DE" : "-JP") + "]\r\n" + own[0][0] + "\r\n[Message." + tag + "]\r\n" + own[1][0] +
            "\r\n[Ok." + tag + "]\r\n" + own[2][0] + "\r\n";
        LauncherProcess launcher(script.c_str());
        ASSERT_TRUE(launcher.Start()) << launcher.StartError();
        HWND hFrame = launcher.WaitForVisibleFrame();
        ASSERT_NE(hFrame, nullptr);
        IAccessible* pAccessible = nullptr;
        ASSERT_EQ(AccessibleObjectFromWindow(GetDlgItem(hFrame, kViewId), static_cast<DWORD>(OBJID_CLIENT),
                                             __uuidof(IAccessible), reinterpret_cast<void**>(&pAccessible)), S_OK);
        VARIANT self = {};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR value = nullptr;
        ASSERT_EQ(pAccessible->get_accValue(self, &value), S_OK);
        EXPECT_EQ(Utf8(std::wstring(value, SysStringLen(value))), bOwn ? own[1][1] : "Welcome.");
        EXPECT_EQ(WindowText(hFrame), bOwn ? own[0][1] : "Setup");
        EXPECT_EQ(WindowText(GetDlgItem(hFrame, kOkId)), bOwn ? own[2][1] : "Install");
        EXPECT_EQ(WindowText(GetDlgItem(hFrame, kCancelId)), "Close");
        SysFreeString(value);
        pAccessible->Release();
        PostMessageA(hFrame, WM_KEYDOWN, VK_ESCAPE, 1);
        EXPECT_TRUE(launcher.ExitsWithStatusZero());
    }
    CoUninitialize();
}

// A user whose preferred languages are French, then German (preferred_languages_dll.cpp,
// loaded before the launcher runs): a script with sections only for the second
// language shows them; with sections for both, the first language wins, whichever the
// script gives first; with neither, the untagged ones.
TEST(LanguageTest, TwoPreferredLanguages)
{
    const struct {
        const char* pszSections;
        const char* pszTitle;
    } cases[] = {
        {"[Title.de]\r\nDeutsch\r\n", "Deutsch"},
        {"[Title.de]\r\nDeutsch\r\n[Title.fr]\r\nFrancais\r\n", "Francais"},
        {"[Title.it]\r\nItaliano\r\n", "Setup"},
    };
    for (const auto& c : cases) {
        LauncherProcess launcher((std::string("[Title]\r\nSetup\r\n") + c.pszSections).c_str());
        ASSERT_TRUE(launcher.StartWithLibrary(WindowsPath(PREFERRED_LANGUAGES_DLL_PATH))) << launcher.StartError();
        HWND hFrame = launcher.WaitForVisibleFrame();
        ASSERT_NE(hFrame, nullptr);
        EXPECT_EQ(WindowText(hFrame), c.pszTitle) << c.pszSections;
        PostMessageA(hFrame, WM_KEYDOWN, VK_ESCAPE, 1);
        EXPECT_TRUE(launcher.ExitsWithStatusZero());
    }
}

// A Chinese user gets the sections of the script of the region: Traditional in Taiwan,
// Hong Kong and Macao, Simplified elsewhere, whichever section the script gives first.
TEST(LanguageTest, ChineseOfTheUsersScript)
{
    const LANGID language = GetUserDefaultUILanguage();
    ASSERT_EQ(PRIMARYLANGID(language), LANG_CHINESE) << "needs LC_ALL=zh_TW.UTF-8, zh_HK.UTF-8 or zh_CN.UTF-8";
    const int nRegion = SUBLANGID(language);
    const bool bTraditional = nRegion == SUBLANG_CHINESE_TRADITIONAL || nRegion == SUBLANG_CHINESE_HONGKONG ||
                              nRegion == SUBLANG_CHINESE_MACAU;
    const std::string simplified = "[Title.zh-Hans]\r\n\xE7\xAE\x80\xE4\xBD\x93\r\n";   // 简体
    const std::string traditional = "[Title.zh-Hant]\r\n\xE7\xB9\x81\xE9\xAB\x94\r\n";  // 繁體
    for (const bool bTraditionalFirst : {false, true}) {
        LauncherProcess launcher(("\xEF\xBB\xBF[Title]\r\nSetup\r\n" +
                                  (bTraditionalFirst ? traditional + simplified : simplified + traditional))
                                     .c_str());
        ASSERT_TRUE(launcher.Start()) << launcher.StartError();
        HWND hFrame = launcher.WaitForVisibleFrame();
        ASSERT_NE(hFrame, nullptr);
        EXPECT_EQ(WindowText(hFrame), bTraditional ? "\xE7\xB9\x81\xE9\xAB\x94" : "\xE7\xAE\x80\xE4\xBD\x93")
            << "user language " << std::hex << language << (bTraditionalFirst ? ", Traditional first" : "");
        PostMessageA(hFrame, WM_KEYDOWN, VK_ESCAPE, 1);
        EXPECT_TRUE(launcher.ExitsWithStatusZero());
    }
}

}  // namespace
