// The system's sizes of window frames and scroll bars.
#include "afx/os.h"
#include "backend/win32/windows_include.h"

CSize os::GetWindowFrameSize(UINT dwStyle, UINT dwExStyle)
{
    RECT rc{0, 0, 0, 0};
    ::AdjustWindowRectEx(&rc, dwStyle, FALSE, dwExStyle);
    return CSize{rc.right - rc.left, rc.bottom - rc.top};
}

int os::GetVerticalScrollBarWidth() { return ::GetSystemMetrics(SM_CXVSCROLL); }
