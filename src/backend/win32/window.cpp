// Window management, the vertical scroll bar and posted messages.
#include "afx/wnd.h"
#include "afx/os.h"
#include "backend/win32/handles.h"

namespace os {

BOOL DestroyWindow(WindowHandle hWnd) { return ::DestroyWindow(ToHwnd(hWnd)); }

WindowHandle GetParent(WindowHandle hWnd) { return FromHwnd(::GetParent(ToHwnd(hWnd))); }

CRect GetClientRect(WindowHandle hWnd)
{
    RECT rc{};
    if (!::GetClientRect(ToHwnd(hWnd), &rc)) {
        return CRect{};
    }
    return FromRect(rc);
}

CRect GetWindowRect(WindowHandle hWnd)
{
    RECT rc{};
    if (!::GetWindowRect(ToHwnd(hWnd), &rc)) {
        return CRect{};
    }
    return FromRect(rc);
}

BOOL ShowWindow(WindowHandle hWnd, int nCmdShow) { return ::ShowWindow(ToHwnd(hWnd), nCmdShow); }

BOOL SetWindowPos(WindowHandle hWnd, int x, int y, int cx, int cy, UINT nFlags)
{
    return ::SetWindowPos(ToHwnd(hWnd), nullptr, x, y, cx, cy, nFlags);
}

WindowHandle SetFocus(WindowHandle hWnd) { return FromHwnd(::SetFocus(ToHwnd(hWnd))); }

BOOL SetScrollInfo(WindowHandle hWnd, int nBar, const ScrollBarInfo& info, BOOL bRedraw)
{
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = info.fMask;
    si.nMin = info.nMin;
    si.nMax = info.nMax;
    si.nPage = info.nPage;
    si.nPos = info.nPos;
    // The system returns the new position, not a success flag; setting a scroll bar
    // of an existing window does not fail.
    ::SetScrollInfo(ToHwnd(hWnd), nBar, &si, bRedraw);
    return TRUE;
}

int SetScrollPos(WindowHandle hWnd, int nBar, int nPos, BOOL bRedraw)
{
    return ::SetScrollPos(ToHwnd(hWnd), nBar, nPos, bRedraw);
}

void ScrollWindow(WindowHandle hWnd, int xAmount, int yAmount)
{
    ::ScrollWindow(ToHwnd(hWnd), xAmount, yAmount, nullptr, nullptr);
}

void UpdateWindow(WindowHandle hWnd) { ::UpdateWindow(ToHwnd(hWnd)); }

BOOL PostMessage(WindowHandle hWnd, UINT message, MsgWParam wParam, MsgLParam lParam)
{
    return ::PostMessageW(ToHwnd(hWnd), message, wParam, lParam);
}

}  // namespace os
