// CWinApp, the program's run from start-up to exit, and the application-level box.
#include <string>

#include "afx/app.h"
#include "afx/system.h"
#include "afx/wnd.h"
#include "afx/app_name.h"
#include "afx/os.h"

namespace {

CWinApp* g_pApp = nullptr;

}  // namespace

CWinApp::CWinApp() { g_pApp = this; }

CWinApp::~CWinApp()
{
    if (g_pApp == this) {
        g_pApp = nullptr;
    }
}

int CWinApp::Run() { return os::RunMessageLoop(); }

int CWinApp::ExitInstance() { return 0; }

CWinApp* AfxGetApp() { return g_pApp; }

const char* AfxGetAppName(AfxTextEncoding encoding)
{
    // Computed on every call: the tests run several programs in one process.
    static std::string name;
    name = AppNameFromModulePath(AfxGetModuleFileName(encoding), encoding);
    return name.c_str();
}

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

int AfxMessageBox(const char* lpszText, AfxTextEncoding encoding, UINT nType)
{
    if ((nType & MB_ICONMASK) == 0) {
        nType |= MB_ICONEXCLAMATION;
    }
    CWinApp* pApp = AfxGetApp();
    WindowHandle hOwner = (pApp != nullptr && pApp->m_pMainWnd != nullptr) ? pApp->m_pMainWnd->m_hWnd : nullptr;
    return os::MessageBox(hOwner, lpszText, AfxGetAppName(encoding), nType, encoding);
}

const char* AfxRegisterWndClass(UINT nClassStyle, AfxCursor cursor, const Color* pBackground, AfxIcon icon)
{
    return os::RegisterWindowClass(nClassStyle, cursor, pBackground, icon);
}
