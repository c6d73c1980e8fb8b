// The system's sizes of window frames and scroll bars.
#include "afx/system.h"
#include "backend/win32/windows_include.h"

CSize AfxGetWindowFrameSize(UINT dwStyle, UINT dwExStyle)
{
    RECT rc{0, 0, 0, 0};
    ::AdjustWindowRectEx(&rc, dwStyle, FALSE, dwExStyle);
    return CSize{rc.right - rc.left, rc.bottom - rc.top};
}

int AfxGetVerticalScrollBarWidth() { return ::GetSystemMetrics(SM_CXVSCROLL); }
