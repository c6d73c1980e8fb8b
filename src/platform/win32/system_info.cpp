// The module file name, the desktop's work area, the display scale and the code
// page's lead bytes.
#include "platform/afx_system.h"
#include "platform/afx_text.h"
#include "platform/win32/handles.h"

const char* AfxGetModuleFileName()
{
    // Room for the longest path the system reports, not only MAX_PATH.
    static char szPath[32768];
    const DWORD nLength = ::GetModuleFileNameA(nullptr, szPath, sizeof(szPath));
    // On truncation older systems leave the buffer unterminated.
    szPath[nLength < sizeof(szPath) ? nLength : sizeof(szPath) - 1] = '\0';
    return szPath;
}

CRect AfxGetWorkArea()
{
    RECT rc{};
    if (!::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rc, 0)) {
        return CRect{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    }
    return FromRect(rc);
}

// The manifest declares the program DPI-aware, so this is the display's own scale,
// not the 96 that Windows reports to programs it stretches.
int AfxGetDisplayDpi()
{
    HDC hScreen = ::GetDC(nullptr);
    if (hScreen == nullptr) {
        return 0;
    }
    const int nDpi = ::GetDeviceCaps(hScreen, LOGPIXELSY);
    ::ReleaseDC(nullptr, hScreen);
    return nDpi;
}

bool AfxIsLeadByte(unsigned char c) { return ::IsDBCSLeadByte(c) != FALSE; }
