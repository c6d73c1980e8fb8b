// CSetupApp::InitInstance: the launcher's start-up and its three outcomes.
#include "app/setup_app.h"

#include <new>

#include "script/seal_check.h"
#include "script/setup_script.h"
#include "ui/setup_frame.h"

BOOL CSetupApp::InitInstance()
{
    // A sealed launcher reads only the script it was sealed with, held until read.
    CHeldFiles script;
    if (!CheckSealedScript(&script)) {
        return FALSE;
    }
    if (!theScript.Load()) {
        return FALSE;  // the script was rejected; Load has said why
    }
    CSetupFrame* pFrame = new (std::nothrow) CSetupFrame;
    if (pFrame == nullptr) {
        return FALSE;
    }
    if (pFrame->GetSafeHwnd() == nullptr) {
        delete pFrame;  // its window was never created
        return FALSE;
    }
    m_pMainWnd = pFrame;
    pFrame->CenterWindow();
    if (pFrame->CheckInstalledVersion() != 0) {
        delete pFrame;  // never shown
        return FALSE;
    }
    m_pMainWnd->ShowWindow(m_nCmdShow);
    return TRUE;
}
