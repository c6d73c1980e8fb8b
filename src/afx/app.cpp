// CWinApp, the program's run from start-up to exit, and window classes.
#include "afx/app.h"
#include "afx/current_app.h"
#include "afx/wnd.h"
#include "afx/os.h"

CWinApp::CWinApp() { AfxSetCurrentApp(this); }

CWinApp::~CWinApp()
{
    if (AfxGetApp() == this) {
        AfxSetCurrentApp(nullptr);
    }
}

int CWinApp::Run() { return os::RunMessageLoop(); }

int CWinApp::ExitInstance() { return 0; }

int AfxWinMain()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr) {
        return 0;
    }
    pApp->m_pMainWnd = nullptr;
    pApp->m_nCmdShow = os::GetStartupShowCommand();
    if (!pApp->InitInstance()) {
        if (pApp->m_pMainWnd != nullptr) {
            pApp->m_pMainWnd->DestroyWindow();
        }
        pApp->ExitInstance();
        return 0;
    }
    pApp->Run();
    pApp->ExitInstance();
    return 0;
}

const char* AfxRegisterWndClass(UINT nClassStyle, AfxCursor cursor, const Color* pBackground, AfxIcon icon)
{
    return os::RegisterWindowClass(nClassStyle, cursor, pBackground, icon);
}
