// The module file name, the desktop's work area, the display scale and the code
// page's lead bytes.
#include "afx/os.h"
#include "afx/text.h"
#include "backend/win32/handles.h"
#include "backend/win32/wide_text.h"

const char* os::GetModuleFileName(AfxTextEncoding encoding)
{
    // Room for the longest path the system reports, not only MAX_PATH.
    constexpr DWORD kUnits = 32768;
    static wchar_t szPath[kUnits];
    DWORD nLength = ::GetModuleFileNameW(nullptr, szPath, kUnits);
    if (nLength >= kUnits) {
        nLength = kUnits - 1;  // truncated: the buffer may be unterminated
    }
    // The previous call's text is let go.
    static char* pszPath = nullptr;
    delete[] pszPath;
    pszPath = NarrowText(szPath, static_cast<int>(nLength), encoding).release();
    return pszPath;
}

CRect os::GetWorkArea()
{
    RECT rc{};
    if (!::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rc, 0)) {
        return CRect{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    }
    return FromRect(rc);
}

// The manifest declares the program DPI-aware, so this is the display's own scale,
// not the 96 that Windows reports to programs it stretches.
int os::GetDisplayDpi()
{
    HDC hScreen = ::GetDC(nullptr);
    if (hScreen == nullptr) {
        return 0;
    }
    const int nDpi = ::GetDeviceCaps(hScreen, LOGPIXELSY);
    ::ReleaseDC(nullptr, hScreen);
    return nDpi;
}

// No ANSI code page has a lead byte below 0x80, so ASCII text never calls the system.
bool os::IsLeadByte(unsigned char c) { return c >= 0x80 && ::IsDBCSLeadByte(c) != FALSE; }
