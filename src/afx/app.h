// The application object, the application-level message box and window classes.
#pragma once

#include "afx/text.h"
#include "afx/types.h"

class CWnd;

class CWinApp {
public:
    CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    virtual ~CWinApp();

    // Start-up hook: nonzero runs the message loop, 0 ends the program.
    virtual BOOL InitInstance() = 0;
    // Runs the message loop until the quit request; returns its exit code.
    virtual int Run();
    virtual int ExitInstance();

    CWnd* m_pMainWnd = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
};

CWinApp* AfxGetApp();

// The application name: the executable's file name without directory and extension,
// in that encoding.
const char* AfxGetAppName(AfxTextEncoding encoding);

// Runs the application object from start-up to exit; the result is the exit status.
int AfxWinMain();

// Application-level box: one OK button, the exclamation icon when the type names
// no icon, captioned with the application name, owned by the main window if any.
// The text is of that encoding, the script's.
int AfxMessageBox(const char* lpszText, AfxTextEncoding encoding, UINT nType = MB_OK);

enum class AfxCursor { None, Arrow };
enum class AfxIcon { None, Application };

// Registers (or finds) a window class and returns its name. The background is a
// solid brush of the colour *pBackground, made and kept by the class; null
// leaves the class without a background brush.
const char* AfxRegisterWndClass(UINT nClassStyle, AfxCursor cursor = AfxCursor::None,
                                const Color* pBackground = nullptr, AfxIcon icon = AfxIcon::None);
