// CWnd, CFrameWnd and CButton over the backend interface.
#include "afx/app.h"
#include "afx/dc.h"
#include "afx/system.h"
#include "afx/wnd.h"
#include "afx/center_window.h"
#include "afx/os.h"

namespace {

// The message being handled, for Default(). Kept outside the object: a handler may
// destroy the window and with it the object before the dispatch returns.
struct CurrentMessage {
    WindowHandle hWnd;
    UINT message;
    MsgWParam wParam;
    MsgLParam lParam;
};
CurrentMessage g_currentMsg{};

}  // namespace

CWnd* AfxWndFromHandle(WindowHandle hWnd) { return hWnd != nullptr ? os::GetBoundObject(hWnd) : nullptr; }

const AFX_MSGMAP_ENTRY CWnd::_messageEntries[] = {{0, 0, 0, nullptr}};
const AFX_MSGMAP CWnd::messageMap = {nullptr, &CWnd::_messageEntries[0]};

const AFX_MSGMAP* CWnd::GetMessageMap() const { return &messageMap; }

CWnd::~CWnd()
{
    if (m_hWnd != nullptr) {
        DestroyWindow();
    }
}

BOOL CWnd::Create(const char* lpszClassName, const char* lpszWindowName, AfxTextEncoding encoding, UINT dwStyle,
                  const CRect& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, lpszClassName, lpszWindowName, encoding, dwStyle, rect, pParentWnd, nID);
}

BOOL CWnd::CreateEx(UINT dwExStyle, const char* lpszClassName, const char* lpszWindowName, AfxTextEncoding encoding,
                    UINT dwStyle, const CRect& rect, CWnd* pParentWnd, UINT nID)
{
    WindowHandle hParent = pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr;
    WindowHandle hWnd =
        os::CreateWindowEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect, hParent, nID, this, encoding);
    if (hWnd == nullptr) {
        m_hWnd = nullptr;
        return FALSE;
    }
    m_hWnd = hWnd;
    return TRUE;
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr) {
        return FALSE;
    }
    return os::DestroyWindow(m_hWnd);
}

CWnd* CWnd::GetParent() const
{
    return AfxWndFromHandle(os::GetParent(m_hWnd));
}

void CWnd::GetClientRect(CRect* pRect) const { *pRect = os::GetClientRect(m_hWnd); }

void CWnd::GetWindowRect(CRect* pRect) const { *pRect = os::GetWindowRect(m_hWnd); }

BOOL CWnd::ShowWindow(int nCmdShow) { return os::ShowWindow(m_hWnd, nCmdShow); }

BOOL CWnd::SetWindowPos(const CWnd* /*pWndInsertAfter*/, int x, int y, int cx, int cy, UINT nFlags)
{
    return os::SetWindowPos(m_hWnd, x, y, cx, cy, nFlags);
}

void CWnd::CenterWindow()
{
    CRect window;
    GetWindowRect(&window);
    const CPoint topLeft = CenteredTopLeft(os::GetWorkArea(), window.Width(), window.Height());
    SetWindowPos(nullptr, topLeft.x, topLeft.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CWnd* CWnd::SetFocus()
{
    return AfxWndFromHandle(os::SetFocus(m_hWnd));
}

CDC* CWnd::GetDC()
{
    DcHandle hDC = os::GetDC(m_hWnd);
    return hDC != nullptr ? new CDC(hDC) : nullptr;
}

int CWnd::ReleaseDC(CDC* pDC)
{
    if (pDC == nullptr) {
        return 0;
    }
    os::ReleaseDC(m_hWnd, pDC->GetSafeHdc());
    delete pDC;
    return 1;
}

BOOL CWnd::SetScrollInfo(int nBar, const ScrollBarInfo& info, BOOL bRedraw)
{
    return os::SetScrollInfo(m_hWnd, nBar, info, bRedraw);
}

int CWnd::SetScrollPos(int nBar, int nPos, BOOL bRedraw) { return os::SetScrollPos(m_hWnd, nBar, nPos, bRedraw); }

void CWnd::ScrollWindow(int xAmount, int yAmount) { os::ScrollWindow(m_hWnd, xAmount, yAmount); }

void CWnd::UpdateWindow() { os::UpdateWindow(m_hWnd); }

MsgResult CWnd::AccessibleTextObject(UINT nFlags) { return os::AccessibleTextObject(m_hWnd, nFlags); }

BOOL CWnd::GetAccessibleText(AccessibleText* /*pText*/) const { return FALSE; }

BOOL CWnd::PostMessage(UINT message, MsgWParam wParam, MsgLParam lParam)
{
    return os::PostMessage(m_hWnd, message, wParam, lParam);
}

int CWnd::MessageBox(const char* lpszText, AfxTextEncoding encoding, const char* lpszCaption, UINT nType)
{
    return os::MessageBox(m_hWnd, lpszText, lpszCaption != nullptr ? lpszCaption : AfxGetAppName(encoding), nType,
                          encoding);
}

MsgResult CWnd::DispatchFromSystem(WindowHandle hWnd, UINT message, MsgWParam wParam, MsgLParam lParam)
{
    if (m_hWnd == nullptr) {
        m_hWnd = hWnd;  // the first message arrives before the creating call returns
    }
    const CurrentMessage saved = g_currentMsg;
    g_currentMsg = {hWnd, message, wParam, lParam};
    const MsgResult result = WindowProc(message, wParam, lParam);
    g_currentMsg = saved;
    // Only WM_NCDESTROY may touch the object here: any other handler may have deleted it.

    if (message == WM_NCDESTROY) {
        os::UnbindWindow(hWnd);
        m_hWnd = nullptr;
        CWinApp* pApp = AfxGetApp();
        if (pApp != nullptr && pApp->m_pMainWnd == this) {
            pApp->m_pMainWnd = nullptr;
            os::PostQuitMessage(0);
        }
        PostNcDestroy();
    }
    return result;
}

MsgResult CWnd::WindowProc(UINT message, MsgWParam wParam, MsgLParam lParam)
{
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != nullptr; pMap = pMap->pBaseMap) {
        for (const AFX_MSGMAP_ENTRY* pEntry = pMap->lpEntries; pEntry->nMessage != 0; ++pEntry) {
            if (pEntry->nMessage != message) {
                continue;
            }
            if (message == WM_COMMAND &&
                (HighWord(wParam) != pEntry->nCode || LowWord(wParam) != pEntry->nID)) {
                continue;
            }
            return pEntry->pfnThunk(this, wParam, lParam);
        }
    }
    return Default();
}

MsgResult CWnd::Default()
{
    return os::DefWindowProc(g_currentMsg.hWnd, g_currentMsg.message, g_currentMsg.wParam, g_currentMsg.lParam);
}

int CWnd::OnCreate(CreateStruct* /*lpCreateStruct*/) { return static_cast<int>(Default()); }

BOOL CFrameWnd::Create(const char* lpszClassName, const char* lpszWindowName, AfxTextEncoding encoding, UINT dwStyle,
                       const CRect& rect)
{
    if (lpszClassName == nullptr) {
        const Color windowBackground = GetSysColor(COLOR_WINDOW);
        lpszClassName = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, AfxCursor::Arrow,
                                            &windowBackground, AfxIcon::Application);
    }
    m_bAutoDelete = false;
    const BOOL created =
        CreateEx(WS_EX_CLIENTEDGE, lpszClassName, lpszWindowName, encoding, dwStyle, rect, nullptr, 0);
    m_bAutoDelete = created != FALSE;
    return created;
}

void CFrameWnd::PostNcDestroy()
{
    if (m_bAutoDelete) {
        delete this;
    }
}

BOOL CButton::Create(const char* lpszCaption, AfxTextEncoding encoding, UINT dwStyle, const CRect& rect,
                     CWnd* pParentWnd, UINT nID)
{
    WindowHandle hParent = pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr;
    m_hWnd = os::CreateWindowEx(0, "BUTTON", lpszCaption, dwStyle, rect, hParent, nID, nullptr, encoding);
    return m_hWnd != nullptr ? TRUE : FALSE;
}
