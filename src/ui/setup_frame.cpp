// CSetupFrame: creation, layout, painting, keys and the Ok and Cancel actions.
#include "ui/setup_frame.h"

#include <cstring>
#include <new>
#include <string>

#include "script/seal_check.h"
#include "afx/app.h"
#include "afx/dc.h"
#include "afx/system.h"
#include "script/setup_script.h"
#include "layout/button_layout.h"
#include "ui/message_view.h"
#include "layout/view_geometry.h"

namespace {

// WinExec reports failure with a result below this.
constexpr UINT kFirstSuccessfulExecResult = 32;

CSize MeasureCaption(const CDC& dc, const char* caption)
{
    return dc.GetTextExtent(caption, static_cast<int>(std::strlen(caption)), theScript.m_encoding);
}

}  // namespace

BEGIN_MESSAGE_MAP(CSetupFrame, CFrameWnd)
    ON_WM_KEYDOWN(CSetupFrame)
    ON_WM_CREATE(CSetupFrame)
    ON_BN_CLICKED(CSetupFrame, IDC_OK, OnOk)
    ON_BN_CLICKED(CSetupFrame, IDC_CANCEL, OnCancel)
    ON_WM_PAINT(CSetupFrame)
    ON_WM_SETFOCUS(CSetupFrame)
END_MESSAGE_MAP()

CSetupFrame::CSetupFrame() : m_metrics(LayoutMetrics{}.Scaled(AfxGetDisplayDpi()))
{
    Create(nullptr, theScript.m_szTitle, theScript.m_encoding, SETUP_FRAME_STYLE,
           CRect{0, 0, m_metrics.nFrameWidth, m_metrics.nFrameHeight});
}

CSetupFrame::~CSetupFrame()
{
    // Only start-up's early exit deletes a frame whose view is still open.
    CloseMessageView();
}

// Runs inside the frame's creation, before the window is shown.
int CSetupFrame::OnCreate(CreateStruct* lpCreateStruct)
{
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1) {
        return -1;
    }
    CSize cancelCaption;
    CSize okCaption;
    const bool bMeasured = MeasureCaptions(&cancelCaption, &okCaption);
    // The rectangles need no line height: only the view's fitting to whole lines does.
    const ViewGeometry geometry =
        ComputeViewGeometry(m_metrics, QuerySystemWindowMetrics(m_metrics), cancelCaption.cy, 0);
    if (bMeasured) {
        LayoutButtons(geometry.frameClient, cancelCaption, okCaption);
    }

    m_pMessageView = new (std::nothrow) CMessageView(m_metrics, cancelCaption.cy);
    if (m_pMessageView == nullptr) {
        return 0;
    }
    const Color background = GetSysColor(COLOR_WINDOW);
    const char* lpszViewClass = AfxRegisterWndClass(0, AfxCursor::None, &background, AfxIcon::None);
    if (!m_pMessageView->Create(lpszViewClass, nullptr, theScript.m_encoding,
                                WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL, geometry.view, this, IDC_MESSAGE_VIEW)) {
        // Without its view the launcher still offers its two buttons.
        delete m_pMessageView;
        m_pMessageView = nullptr;
        return 0;
    }
    CDC* pDC = m_pMessageView->GetDC();
    if (pDC != nullptr) {
        m_pMessageView->LayoutLines(pDC);
        m_pMessageView->ReleaseDC(pDC);
    }
    m_pMessageView->SetFocus();
    return 0;
}

bool CSetupFrame::MeasureCaptions(CSize* pCancelCaption, CSize* pOkCaption)
{
    CDC* pDC = GetDC();
    if (pDC == nullptr) {
        return false;
    }
    *pCancelCaption = MeasureCaption(*pDC, theScript.m_szCancel);
    *pOkCaption = MeasureCaption(*pDC, theScript.m_szOk);
    ReleaseDC(pDC);
    return true;
}

void CSetupFrame::LayoutButtons(const CRect& client, CSize cancelCaption, CSize okCaption)
{
    const ButtonLayout layout = LayoutButtonRects(client, cancelCaption, okCaption, m_metrics);
    m_btnCancel.Create(theScript.m_szCancel, theScript.m_encoding, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                       layout.cancel, this, IDC_CANCEL);
    m_btnOk.Create(theScript.m_szOk, theScript.m_encoding, WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, layout.ok, this,
                   IDC_OK);
}

// Paints the frame's own background; the buttons and the view paint themselves.
void CSetupFrame::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    const CBrush brush(GetSysColor(COLOR_MENU));
    dc.FillRect(client, &brush);
}

// Enter and Esc, typed into the frame or posted on by the view.
void CSetupFrame::OnKeyDown(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    if (nChar == VK_RETURN) {
        OnOk();
    } else if (nChar == VK_ESCAPE) {
        OnCancel();
    }
}

// The frame gained the focus (the launcher activated again, a click on its client
// area): the view takes it, so that the scrolling keys work and a screen reader
// lands on the message. A view that is closing has already been let go, and one
// whose window is gone cannot take it.
void CSetupFrame::OnSetFocus(CWnd* /*pOldWnd*/)
{
    if (m_pMessageView != nullptr && m_pMessageView->GetSafeHwnd() != nullptr) {
        m_pMessageView->SetFocus();
    }
}

// The default button: starts the command line, then closes the launcher.
void CSetupFrame::OnOk()
{
    if (m_bClosing) {
        return;  // a second request, dispatched inside the error box's loop
    }
    m_bClosing = true;
    if (theScript.m_szRun[0] != '\0') {
        // A sealed launcher starts only what it was sealed with, held unchanged until started.
        CHeldFiles held;
        const std::string changed = FirstChangedRunFile(theScript.m_szRun, theScript.m_encoding, &held);
        if (!changed.empty()) {
            MessageBox(SealChangedText(changed).c_str(), theScript.m_encoding);
        } else if (AfxWinExec(theScript.m_szRun, theScript.m_encoding, SW_SHOWNORMAL) < kFirstSuccessfulExecResult) {
            const std::string text = std::string("Error executing ") + theScript.m_szRun;
            MessageBox(text.c_str(), theScript.m_encoding);
        }
    }
    CloseMessageView();
    DestroyWindow();  // deletes this object
}

// The other button: closes the launcher.
void CSetupFrame::OnCancel()
{
    if (m_bClosing) {
        return;
    }
    m_bClosing = true;
    CloseMessageView();
    DestroyWindow();  // deletes this object
}

void CSetupFrame::CloseMessageView()
{
    CMessageView* pView = m_pMessageView;
    if (pView == nullptr) {
        return;
    }
    // Let go first: as the view goes, the focus falls back to the frame, which must
    // not hand it on to the view again.
    m_pMessageView = nullptr;
    pView->FreeText();
    pView->DestroyWindow();
    delete pView;
}
