// Message boxes, the message loop and the show command the process was started with.
#include "afx/os.h"
#include "backend/win32/handles.h"
#include "backend/win32/wide_text.h"

namespace os {

int MessageBox(WindowHandle hOwner, const char* lpszText, const char* lpszCaption, UINT nType, AfxTextEncoding encoding)
{
    return ::MessageBoxW(ToHwnd(hOwner), WideText(lpszText, -1, encoding).c_str(),
                         WideText(lpszCaption, -1, encoding).c_str(), nType);
}

int RunMessageLoop()
{
    MSG msg{};
    for (;;) {
        const BOOL bResult = ::GetMessageW(&msg, nullptr, 0, 0);
        if (bResult == 0) {
            return static_cast<int>(msg.wParam);  // WM_QUIT
        }
        if (bResult == -1) {
            return 0;  // the loop itself failed; there is nothing left to run
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

void PostQuitMessage(int nExitCode) { ::PostQuitMessage(nExitCode); }

int GetStartupShowCommand()
{
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    ::GetStartupInfoA(&si);
    return (si.dwFlags & STARTF_USESHOWWINDOW) != 0 ? si.wShowWindow : SW_SHOWDEFAULT;
}

}  // namespace os
