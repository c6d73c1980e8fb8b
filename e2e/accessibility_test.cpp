// What a screen reader finds in the launcher window through MSAA: the view is static
// text named by the caption, whose value is the message line by line as shown (its
// lines wrapped at the display's scale), and the buttons speak their captions.
#include <gtest/gtest.h>

#include <ole2.h>
#include <oleacc.h>

#include <cstring>
#include <string>

#include "launcher_process.h"
#include "wrap_reference.h"

namespace {

const char kTitle[] = "Tallowmere Atlas Setup";
const char kMessage[] =
    "Tallowmere Atlas puts every map of the region on this computer, with the survey notes that go "
    "with them, the place names in both spellings, and a search that finds a farm or a ford by any "
    "of its old names.\r\n"
    "\r\n"
    "Press Install to begin.\r\n";

// Longer than the view, so that its scroll bar stays and its client area keeps the
// width the text was wrapped to.
std::string Script()
{
    std::string script = std::string("[Title]\r\n") + kTitle + "\r\n[Message]\r\n" + kMessage;
    for (int i = 1; i <= 30; ++i) {
        script += "Sheet " + std::to_string(i) + "\r\n";
    }
    return script;
}

std::string Narrow(BSTR bstr)
{
    const int nLength = static_cast<int>(SysStringLen(bstr));
    std::string text(static_cast<std::size_t>(nLength) * 2, '\0');
    text.resize(static_cast<std::size_t>(
        WideCharToMultiByte(CP_ACP, 0, bstr, nLength, text.data(), static_cast<int>(text.size()), nullptr, nullptr)));
    return text;
}

// The display lines the view shows, measured here in its own font: fill spaces
// dropped, one line to a line.
std::string LinesAsShown(HWND hView, const char* pszMessage, int* pnLines)
{
    HDC hDC = GetDC(hView);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(hDC, &metrics);
    RECT client = {};
    GetClientRect(hView, &client);
    const TextWidthFunction measure = [hDC](const char* psz, int nCount) {
        SIZE size = {};
        GetTextExtentPoint32A(hDC, psz, nCount, &size);
        return static_cast<int>(size.cx);
    };
    const WrapResult wrapped =
        ReferenceWrapMessageText(pszMessage, client.right, ScaledPx(20), metrics.tmAveCharWidth, measure, 1500);
    ReleaseDC(hView, hDC);
    std::string shown;
    for (std::size_t i = 0; i < wrapped.lines.size(); ++i) {
        std::string line = wrapped.lines[i];
        line.erase(line.find_last_not_of(' ') + 1);
        shown += (i > 0 ? "\r\n" : "") + line;
    }
    *pnLines = static_cast<int>(wrapped.lines.size());
    return shown;
}

TEST(AccessibilityTest, ViewIsStaticTextOfTheMessageAsShown)
{
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    const std::string script = Script();
    LauncherProcess launcher(script.c_str());
    ASSERT_TRUE(launcher.Start());
    HWND hFrame = launcher.WaitForVisibleFrame();
    ASSERT_NE(hFrame, nullptr);
    HWND hView = GetDlgItem(hFrame, kViewId);
    ASSERT_NE(hView, nullptr);

    const char* pszMessage = std::strstr(script.c_str(), "[Message]\r\n") + std::strlen("[Message]\r\n");
    std::string message;
    for (const char* p = pszMessage; *p != '\0'; ++p) {
        if (*p != '\r') {
            message += *p;  // the launcher reads CR-LF as one newline
        }
    }
    int nLines = 0;
    const std::string shown = LinesAsShown(hView, message.c_str(), &nLines);
    ASSERT_GT(nLines, 3);  // the paragraph wraps
    SCROLLINFO info;
    ASSERT_TRUE(launcher.ReadScrollBar(hView, &info));
    TEXTMETRICA metrics = {};
    HDC hDC = GetDC(hView);
    GetTextMetricsA(hDC, &metrics);
    ReleaseDC(hView, hDC);
    EXPECT_EQ(info.nMax, nLines * metrics.tmHeight);

    IAccessible* pAccessible = nullptr;
    ASSERT_TRUE(SUCCEEDED(AccessibleObjectFromWindow(hView, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                                     reinterpret_cast<void**>(&pAccessible))));
    ASSERT_NE(pAccessible, nullptr);
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT role;
    ASSERT_EQ(pAccessible->get_accRole(self, &role), S_OK);
    EXPECT_EQ(role.vt, VT_I4);
    EXPECT_EQ(role.lVal, ROLE_SYSTEM_STATICTEXT);
    BSTR bstr = nullptr;
    ASSERT_EQ(pAccessible->get_accName(self, &bstr), S_OK);
    EXPECT_EQ(Narrow(bstr), kTitle);
    SysFreeString(bstr);
    ASSERT_EQ(pAccessible->get_accValue(self, &bstr), S_OK);
    EXPECT_EQ(Narrow(bstr), shown);
    SysFreeString(bstr);
    ASSERT_EQ(pAccessible->get_accDescription(self, &bstr), S_OK);
    EXPECT_EQ(Narrow(bstr), shown);
    SysFreeString(bstr);

    // The buttons are standard ones and speak their captions.
    IAccessible* pOk = nullptr;
    ASSERT_TRUE(SUCCEEDED(AccessibleObjectFromWindow(GetDlgItem(hFrame, kOkId), static_cast<DWORD>(OBJID_CLIENT),
                                                     __uuidof(IAccessible), reinterpret_cast<void**>(&pOk))));
    ASSERT_EQ(pOk->get_accName(self, &bstr), S_OK);
    EXPECT_EQ(Narrow(bstr), "Ok");
    SysFreeString(bstr);
    pOk->Release();

    // A reader that keeps the object past the launcher's end gets an error, not a crash.
    PostMessageA(hView, WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_TRUE(launcher.ExitsWithStatusZero());
    bstr = nullptr;
    EXPECT_TRUE(FAILED(pAccessible->get_accValue(self, &bstr)));
    pAccessible->Release();
    CoUninitialize();
}

}  // namespace
