// The launcher window as Windows sees it: size, place, styles, caption, the two
// buttons and the view, laid out from the captions measured in the real font, with
// every pixel size scaled to the display (see DisplayDpi).
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "launcher_process.h"

namespace {

struct FrameCase {
    const char* pszName;
    const char* pszScript;
    const char* pszTitle;
    const char* pszOk;
    const char* pszCancel;
};

const FrameCase kCases[] = {
    {"DefaultCaptions", "[Title]\r\nTallowmere Atlas Setup\r\n[Message]\r\nWelcome.\r\n", "Tallowmere Atlas Setup", "Ok",
     "Cancel"},
    {"ScriptCaptions", "[Title]\r\nTallowmere\r\n[Ok]\r\nInstall\r\n[Cancel]\r\nNot now\r\n", "Tallowmere", "Install",
     "Not now"},
    {"LongCaptions",
     "[Ok]\r\nInstall everything now\r\n[Cancel]\r\nLeave without installing anything\r\n[Message]\r\nHello\r\n", "",
     "Install everything now", "Leave without installing anything"},
};

void PrintTo(const FrameCase& c, std::ostream* pStream)
{
    *pStream << c.pszName;
}

class FrameTest : public testing::TestWithParam<FrameCase> {};

SIZE MeasureIn(HWND hWnd, const char* pszText)
{
    SIZE size = {};
    HDC hDC = GetDC(hWnd);
    GetTextExtentPoint32A(hDC, pszText, static_cast<int>(strlen(pszText)), &size);
    ReleaseDC(hWnd, hDC);
    return size;
}

int LineHeightIn(HWND hWnd)
{
    TEXTMETRICA metrics = {};
    HDC hDC = GetDC(hWnd);
    GetTextMetricsA(hDC, &metrics);
    ReleaseDC(hWnd, hDC);
    return metrics.tmHeight;
}

// Where the window's left (or top) edge goes on the work area: centred, then moved
// back inside, the near edge first.
int CentredEdge(int nNear, int nFar, int nSize)
{
    int nEdge = (nNear + nFar) / 2 - nSize / 2;
    if (nEdge < nNear) {
        nEdge = nNear;
    } else if (nEdge + nSize > nFar) {
        nEdge = nFar - nSize;
    }
    return nEdge;
}

void ExpectRect(const RECT& actual, int nLeft, int nTop, int nRight, int nBottom, const char* pszWhat)
{
    EXPECT_EQ(actual.left, nLeft) << pszWhat;
    EXPECT_EQ(actual.top, nTop) << pszWhat;
    EXPECT_EQ(actual.right, nRight) << pszWhat;
    EXPECT_EQ(actual.bottom, nBottom) << pszWhat;
}

TEST_P(FrameTest, Layout)
{
    const FrameCase& c = GetParam();
    LauncherProcess launcher(c.pszScript);
    ASSERT_TRUE(launcher.Start()) << launcher.StartError();
    HWND hFrame = launcher.WaitForVisibleFrame();
    ASSERT_NE(hFrame, nullptr);

    // The frame: a fixed 475 x 350 captioned window at 96 DPI, centred on the work area.
    EXPECT_EQ(WindowText(hFrame), c.pszTitle);
    RECT work = {};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    const int kFrameWidth = ScaledPx(475);
    const int kFrameHeight = ScaledPx(350);
    const int nLeft = CentredEdge(work.left, work.right, kFrameWidth);
    const int nTop = CentredEdge(work.top, work.bottom, kFrameHeight);
    RECT frameRect = {};
    GetWindowRect(hFrame, &frameRect);
    ExpectRect(frameRect, nLeft, nTop, nLeft + kFrameWidth, nTop + kFrameHeight, "frame");
    const LONG lStyle = GetWindowLongA(hFrame, GWL_STYLE);
    EXPECT_EQ(lStyle & WS_CAPTION, WS_CAPTION);
    EXPECT_EQ(lStyle & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CHILD | WS_POPUP), 0);
    EXPECT_TRUE(lStyle & WS_VISIBLE);
    EXPECT_TRUE(GetWindowLongA(hFrame, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(GetWindow(hFrame, GW_OWNER), nullptr);
    EXPECT_EQ(GetMenu(hFrame), nullptr);

    // The buttons, from the captions measured in the frame's font.
    HWND hOk = GetDlgItem(hFrame, kOkId);
    HWND hCancel = GetDlgItem(hFrame, kCancelId);
    HWND hView = GetDlgItem(hFrame, kViewId);
    ASSERT_NE(hOk, nullptr);
    ASSERT_NE(hCancel, nullptr);
    ASSERT_NE(hView, nullptr);
    EXPECT_EQ(WindowText(hOk), c.pszOk);
    EXPECT_EQ(WindowText(hCancel), c.pszCancel);
    EXPECT_EQ(GetWindowLongA(hOk, GWL_STYLE) & (WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_TYPEMASK),
              WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON);
    EXPECT_EQ(GetWindowLongA(hCancel, GWL_STYLE) & (WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_TYPEMASK),
              WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON);

    RECT client = {};
    GetClientRect(hFrame, &client);
    const int R = client.right;
    const int B = client.bottom;
    const SIZE cancel = MeasureIn(hFrame, c.pszCancel);
    const SIZE ok = MeasureIn(hFrame, c.pszOk);
    // At 96 DPI: captions padded by 20 and 10, 30 from the right edge and 10 from the
    // bottom, 20 between the buttons.
    const int nBottom = B - ScaledPx(10);
    const int nButtonTop = nBottom - cancel.cy - ScaledPx(10);
    const int L1 = R - ScaledPx(30) - cancel.cx - ScaledPx(20);
    ExpectRect(ChildRect(hCancel), L1, nButtonTop, R - ScaledPx(30), nBottom, "Cancel button");
    ExpectRect(ChildRect(hOk), L1 - ScaledPx(20) - ok.cx - ScaledPx(20), nBottom - ok.cy - ScaledPx(10),
               L1 - ScaledPx(20), nBottom, "Ok button");

    // The view: full width, down to 10 pixels (at 96 DPI) above the buttons, then cut
    // to whole lines plus its two one-pixel border lines; it has the focus.
    const int nLineHeight = LineHeightIn(hView);
    ASSERT_GT(nLineHeight, 0);
    const int nVisible = nLineHeight * ((nButtonTop - ScaledPx(10) - 2) / nLineHeight);
    ExpectRect(ChildRect(hView), 0, 0, R, nVisible + 2, "view");
    RECT viewClient = {};
    GetClientRect(hView, &viewClient);
    EXPECT_EQ(viewClient.bottom, nVisible);
    // Windows drops WS_VSCROLL while the text fits, so the message here is short.
    EXPECT_EQ(GetWindowLongA(hView, GWL_STYLE) & (WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL),
              WS_CHILD | WS_VISIBLE | WS_BORDER);
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof gui;
    ASSERT_TRUE(GetGUIThreadInfo(launcher.ThreadId(), &gui));
    EXPECT_EQ(gui.hwndFocus, hView);

    PostMessageA(hView, WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_TRUE(launcher.ExitsWithStatusZero());
}

INSTANTIATE_TEST_SUITE_P(Captions, FrameTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<FrameCase>& info) { return info.param.pszName; });

}  // namespace
