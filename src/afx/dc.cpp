// CDC, CPaintDC and CBrush, and the system colours, over the backend interface.
#include "afx/dc.h"
#include "afx/wnd.h"
#include "afx/os.h"

Color GetSysColor(int nIndex) { return os::GetSysColor(nIndex); }

CBrush::~CBrush()
{
    if (m_hObject != nullptr) {
        os::DeleteObject(m_hObject);
    }
}

BOOL CBrush::CreateSolidBrush(Color color)
{
    if (m_hObject != nullptr) {
        os::DeleteObject(m_hObject);
    }
    m_color = color;
    m_hObject = os::CreateSolidBrush(color);
    return m_hObject != nullptr ? TRUE : FALSE;
}

BOOL CDC::GetTextMetrics(TextMetrics* pMetrics) const { return os::GetTextMetrics(m_hDC, pMetrics); }

CSize CDC::GetTextExtent(const char* lpszString, int nCount, AfxTextEncoding encoding) const
{
    return os::GetTextExtent(m_hDC, lpszString, nCount, encoding);
}

CPoint CDC::SetWindowOrg(int x, int y) { return os::SetWindowOrg(m_hDC, x, y); }

void CDC::FillRect(const CRect& rect, const CBrush* pBrush) { os::FillRect(m_hDC, rect, pBrush->GetSafeHandle()); }

Color CDC::SetBkColor(Color color) { return os::SetBkColor(m_hDC, color); }

int CDC::SetBkMode(int nBkMode) { return os::SetBkMode(m_hDC, nBkMode); }

Color CDC::SetTextColor(Color color) { return os::SetTextColor(m_hDC, color); }

BOOL CDC::TextOut(int x, int y, const char* lpszString, int nCount, AfxTextEncoding encoding)
{
    return os::TextOut(m_hDC, x, y, lpszString, nCount, encoding);
}

CScreenDC::CScreenDC() : CDC(os::GetDC(nullptr)) {}

CScreenDC::~CScreenDC()
{
    if (m_hDC != nullptr) {
        os::ReleaseDC(nullptr, m_hDC);
    }
}

CPaintDC::CPaintDC(CWnd* pWnd) : CDC(nullptr), m_hWnd(pWnd->m_hWnd)
{
    m_hDC = os::BeginPaint(m_hWnd, &m_pPaintState);
}

CPaintDC::~CPaintDC() { os::EndPaint(m_hWnd, m_pPaintState); }
