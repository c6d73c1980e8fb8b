// CSetupFrame: the launcher's fixed-size top-level window with its two buttons.
#pragma once

#include "afx/wnd.h"
#include "layout/layout_metrics.h"

class CMessageView;

constexpr UINT IDC_OK = 100;
constexpr UINT IDC_CANCEL = 110;
constexpr UINT IDC_MESSAGE_VIEW = 130;

class CSetupFrame : public CFrameWnd {
public:
    // Creates the window hidden, with its buttons and message view laid out.
    CSetupFrame();
    ~CSetupFrame() override;

    // Looks for an installed copy of another version; 1 ends the program, 0 goes on.
    int CheckInstalledVersion();

    int OnCreate(CreateStruct* lpCreateStruct);
    void OnPaint();
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSetFocus(CWnd* pOldWnd);
    void OnOk();
    void OnCancel();

protected:
    // The captions of Cancel and Ok in the frame's font; false without a device context.
    bool MeasureCaptions(CSize* pCancelCaption, CSize* pOkCaption);
    void LayoutButtons(const CRect& client, CSize cancelCaption, CSize okCaption);
    void CloseMessageView();

    CButton m_btnOk;
    CButton m_btnCancel;
    CMessageView* m_pMessageView = nullptr;
    // Every pixel size of the window, scaled once to the display it starts on.
    const LayoutMetrics m_metrics;

private:
    bool m_bClosing = false;  // an Ok or Cancel action has begun

    DECLARE_MESSAGE_MAP()
};
