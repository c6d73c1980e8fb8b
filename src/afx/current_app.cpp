// The running application object, the application's name and the application-level box.
#include <string>

#include "afx/app.h"
#include "afx/app_name.h"
#include "afx/current_app.h"
#include "afx/wnd.h"
#include "afx/os.h"

namespace {

CWinApp* g_pApp = nullptr;

}  // namespace

void AfxSetCurrentApp(CWinApp* pApp) { g_pApp = pApp; }

CWinApp* AfxGetApp() { return g_pApp; }

const char* AfxGetAppName(AfxTextEncoding encoding)
{
    // Computed on every call: the tests run several programs in one process.
    static std::string name;
    name = AppNameFromModulePath(os::GetModuleFileName(encoding), encoding);
    return name.c_str();
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
