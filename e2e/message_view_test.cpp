// Scrolling the message view with the keys, read back from its real scroll bar.
#include <gtest/gtest.h>

#include <functional>
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
    ASSERT_TRUE(launcher.Start()) << launcher.StartError();
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
    ASSERT_TRUE(launcher.Start()) << launcher.StartError();
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

// A Japanese paragraph of 300 characters with no space.
std::wstring JapaneseParagraph()
{
    std::wstring text;
    while (text.size() < 300) {
        text += L"\u3053\u306e\u30d7\u30ed\u30b0\u30e9\u30e0\u3092\u30a4\u30f3\u30b9\u30c8\u30fc\u30eb\u3059\u308b"
                L"\u524d\u306b\u4ed6\u306e\u30a2\u30d7\u30ea\u3092\u9589\u3058\u3066\u304f\u3060\u3055\u3044\u3002";
    }
    return text.substr(0, 300);
}

// Starts the launcher and gives its message's display lines (from the scroll range),
// its fit width (text width less the average character width) and the widths of
// texts in the view's font; -1 lines if the window did not come.
struct ShownParagraph {
    int nLines = -1;
    int nFitWidth = 0;
    std::function<int(const std::wstring&)> width;
};

ShownParagraph ShowParagraph(LauncherProcess* pLauncher)
{
    ShownParagraph shown;
    if (!pLauncher->Start()) {
        ADD_FAILURE() << "the launcher did not start: " << pLauncher->StartError();
        return shown;
    }
    HWND hFrame = pLauncher->WaitForVisibleFrame();
    HWND hView = hFrame != nullptr ? GetDlgItem(hFrame, kViewId) : nullptr;
    SCROLLINFO info;
    if (hView == nullptr || !pLauncher->ReadScrollBar(hView, &info)) {
        return shown;
    }
    shown.width = [hView](const std::wstring& text) {
        HDC hDC = GetDC(hView);
        SIZE size = {};
        GetTextExtentPoint32W(hDC, text.c_str(), static_cast<int>(text.size()), &size);
        ReleaseDC(hView, hDC);
        return static_cast<int>(size.cx);
    };
    TEXTMETRICW metrics = {};
    HDC hDC = GetDC(hView);
    GetTextMetricsW(hDC, &metrics);
    ReleaseDC(hView, hDC);
    RECT client = {};
    GetClientRect(hView, &client);
    shown.nLines = info.nMax / metrics.tmHeight;
    shown.nFitWidth = client.right - 20 - metrics.tmAveCharWidth;
    return shown;
}

// In UTF-8 the paragraph breaks between its characters and fills its lines.
TEST(MessageViewTest, JapaneseParagraphInUtf8TakesTheLinesItsWidthNeeds)
{
    const std::wstring text = JapaneseParagraph();
    LauncherProcess launcher(("\xEF\xBB\xBF[Message]\r\n" + Utf8(text) + "\r\n").c_str());
    const ShownParagraph shown = ShowParagraph(&launcher);
    ASSERT_GE(shown.nLines, 0);
    const int nNeeded = (shown.width(text) + shown.nFitWidth - 1) / shown.nFitWidth;
    EXPECT_GE(shown.nLines, nNeeded);
    EXPECT_LE(shown.nLines, nNeeded + 1);
    PostMessageA(launcher.Frame(), WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_TRUE(launcher.ExitsWithStatusZero());
}

// In Shift-JIS (code page 932: run with LC_ALL=ja_JP.UTF-8) a piece with no space
// goes one character a line after a line of spaces, until the rest with its newline
// fits: one line per whole character, never per byte.
TEST(DoubleByteMessageTest, ShiftJisParagraphNeverSplitsACharacter)
{
    if (GetACP() != 932) {
        GTEST_SKIP() << "needs the ANSI code page 932";
    }
    const std::wstring text = JapaneseParagraph();
    std::string sjis(600, '\0');
    ASSERT_EQ(WideCharToMultiByte(932, 0, text.c_str(), 300, &sjis[0], 600, nullptr, nullptr), 600);
    LauncherProcess launcher(("[Message]\r\n" + sjis + "\r\n").c_str());
    const ShownParagraph shown = ShowParagraph(&launcher);
    ASSERT_GE(shown.nLines, 0);
    int nTail = 0;
    while (nTail < 300 && shown.width(text.substr(299 - nTail) + L"\n") < shown.nFitWidth) {
        ++nTail;
    }
    EXPECT_EQ(shown.nLines, 1 + (300 - nTail) + 1);
    PostMessageA(launcher.Frame(), WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_TRUE(launcher.ExitsWithStatusZero());
}

}  // namespace
