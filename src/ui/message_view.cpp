// CMessageView: lays the message out once, paints the visible lines and scrolls them.
#include "ui/message_view.h"

#include <climits>
#include <cstring>

#include "afx/app.h"
#include "afx/dc.h"
#include "afx/text.h"
#include "script/setup_script.h"
#include "layout/scroll_math.h"
#include "layout/view_geometry.h"

BEGIN_MESSAGE_MAP(CMessageView, CWnd)
    ON_WM_PAINT(CMessageView)
    ON_WM_CREATE(CMessageView)
    ON_WM_DESTROY(CMessageView)
    ON_WM_VSCROLL(CMessageView)
    ON_WM_KEYDOWN(CMessageView)
    ON_WM_GETOBJECT(CMessageView)
END_MESSAGE_MAP()

int CMessageView::LayoutLines(CDC* pDC)
{
    TextMetrics metrics;
    pDC->GetTextMetrics(&metrics);
    m_nAveCharWidth = metrics.tmAveCharWidth;
    m_nLineHeight = metrics.tmHeight;

    const ViewGeometry geometry =
        ComputeViewGeometry(m_metrics, QuerySystemWindowMetrics(m_metrics), m_nCaptionHeight, m_nLineHeight);
    m_nVisibleHeight = geometry.nVisibleHeight;
    m_nClientWidth = geometry.viewClient.cx;

    // Fit the window to whole lines; the width stays, so the client width holds.
    SetWindowPos(nullptr, 0, 0, geometry.view.Width(), geometry.nFittedViewHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_SHOWWINDOW);

    const TextWidthFunction measure = [pDC](const char* lpszText, int nCount) {
        return pDC->GetTextExtent(lpszText, nCount, theScript.m_encoding).cx;
    };
    const WrapResult wrapped =
        LayOutMessage(theScript.m_pszMessage, theScript.m_encoding,
                      MessageGeometry{m_nClientWidth, m_metrics.nViewLeftMargin, m_nAveCharWidth}, measure,
                      AfxFindUnicodeLineBreaks);
    if (wrapped.limitHit) {
        AfxMessageBox("Maximum number of view lines exceeded", theScript.m_encoding);
    }
    for (const std::string& line : wrapped.lines) {
        char* pszLine = new char[line.size() + 1];
        std::memcpy(pszLine, line.c_str(), line.size() + 1);
        m_apszLines[m_nLineCount++] = pszLine;
    }
    const long long totalHeight = static_cast<long long>(m_nLineCount) * m_nLineHeight;
    m_nTotalHeight = totalHeight > INT_MAX ? INT_MAX : static_cast<int>(totalHeight);

    ScrollBarInfo info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = m_nTotalHeight;
    info.nPage = static_cast<UINT>(m_nVisibleHeight);
    info.nPos = 0;
    return SetScrollInfo(SB_VERT, info, TRUE);
}

void CMessageView::FreeText()
{
    for (int i = 0; i < m_nLineCount; ++i) {
        delete[] m_apszLines[i];
        m_apszLines[i] = nullptr;
    }
    m_nLineCount = 0;
    delete[] theScript.m_pszMessage;
    theScript.m_pszMessage = nullptr;
}

// Draws every row of the visible height; the platform clips to what needs painting.
void CMessageView::OnPaint()
{
    CPaintDC dc(this);
    dc.SetWindowOrg(0, m_nScrollPos);
    CRect client;
    GetClientRect(&client);
    const CBrush background(GetSysColor(COLOR_WINDOW));
    dc.FillRect(CRect{0, m_nScrollPos, client.right, m_nScrollPos + client.Height()}, &background);
    dc.SetBkColor(GetSysColor(COLOR_WINDOW));
    dc.SetBkMode(OPAQUE);
    dc.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
    if (m_nLineHeight <= 0) {
        return;
    }
    for (int y = m_nScrollPos; y < m_nScrollPos + m_nVisibleHeight; y += m_nLineHeight) {
        const int nLine = y / m_nLineHeight;
        if (nLine >= 0 && nLine < m_nLineCount) {
            const char* pszLine = m_apszLines[nLine];
            dc.TextOut(m_metrics.nViewLeftMargin, y, pszLine, static_cast<int>(std::strlen(pszLine)),
                       theScript.m_encoding);
        }
    }
}

// Runs while the frame creates the view.
int CMessageView::OnCreate(CreateStruct* lpCreateStruct)
{
    return CWnd::OnCreate(lpCreateStruct) == -1 ? -1 : 0;
}

// Runs as the window goes; the frame has already freed the text.
void CMessageView::OnDestroy() {}

// Scroll bar requests, and the scrolling keys turned into scroll codes.
void CMessageView::OnVScroll(UINT nSBCode, UINT nPos)
{
    const ScrollStep step = ComputeScrollStep(nSBCode, static_cast<int>(nPos), m_nScrollPos, m_nLineHeight,
                                              m_nVisibleHeight, m_nTotalHeight);
    if (step.ignored) {
        return;
    }
    m_nScrollPos += step.delta;
    SetScrollPos(SB_VERT, m_nScrollPos, TRUE);
    ScrollWindow(0, -step.delta);
    UpdateWindow();
}

// Keys typed into the view: Enter and Esc go on to the frame, the others scroll.
void CMessageView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT /*nFlags*/)
{
    if (nChar == VK_RETURN || nChar == VK_ESCAPE) {
        if (CWnd* pParent = GetParent()) {
            pParent->PostMessage(WM_KEYDOWN, nChar, static_cast<MsgLParam>(nRepCnt));
        }
        return;
    }
    UINT nSBCode = 0;
    if (ScrollCodeForKey(nChar, &nSBCode)) {
        OnVScroll(nSBCode, 0);
    }
}

// A screen reader asks for the view: its client area is the message, as read-only text.
MsgResult CMessageView::OnGetObject(UINT nFlags, int nObjectId)
{
    if (nObjectId == OBJID_CLIENT) {
        const MsgResult object = AccessibleTextObject(nFlags);
        if (object > 0) {
            return object;
        }
    }
    return Default();
}

// The view's accessible object reads it: named by the frame's caption, the message as
// shown, one display line to a line, without the spaces that fill each line.
BOOL CMessageView::GetAccessibleText(AccessibleText* pText) const
{
    pText->name = theScript.m_szTitle;
    pText->encoding = theScript.m_encoding;
    pText->value.clear();
    for (int i = 0; i < m_nLineCount; ++i) {
        std::size_t nLength = std::strlen(m_apszLines[i]);
        while (nLength > 0 && m_apszLines[i][nLength - 1] == ' ') {
            --nLength;
        }
        if (i > 0) {
            pText->value += "\r\n";
        }
        pText->value.append(m_apszLines[i], nLength);
    }
    return TRUE;
}
