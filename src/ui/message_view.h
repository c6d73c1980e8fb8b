// CMessageView: the child window that shows the message word-wrapped and scrolls it.
#pragma once

#include "afx/wnd.h"
#include "layout/layout_metrics.h"
#include "layout/message_layout.h"

class CDC;

class CMessageView : public CWnd {
public:
    // The view draws with the frame's metrics, already scaled to the display, and
    // ends above buttons whose captions are nCaptionHeight high.
    CMessageView(const LayoutMetrics& metrics, int nCaptionHeight) : m_metrics(metrics), m_nCaptionHeight(nCaptionHeight)
    {
    }
    ~CMessageView() override = default;

    // Reads the font metrics, fits the view to whole lines, wraps the record's
    // message and sets the scroll bar. Returns the result of setting the scroll bar.
    int LayoutLines(CDC* pDC);
    // Frees the display lines and the record's message text.
    void FreeText();

    void OnPaint();
    int OnCreate(CreateStruct* lpCreateStruct);
    void OnDestroy();
    void OnVScroll(UINT nSBCode, UINT nPos);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    MsgResult OnGetObject(UINT nFlags, int nObjectId);
    BOOL GetAccessibleText(AccessibleText* pText) const override;

protected:
    const LayoutMetrics m_metrics;
    const int m_nCaptionHeight;
    int m_nAveCharWidth = 0;
    int m_nLineHeight = 0;
    int m_nVisibleHeight = 0;
    int m_nClientWidth = 0;
    int m_nScrollPos = 0;
    int m_nTotalHeight = 0;
    char* m_apszLines[MAX_VIEW_LINES] = {};
    int m_nLineCount = 0;

    DECLARE_MESSAGE_MAP()
};
