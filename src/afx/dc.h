// Device contexts, brushes and system colours.
//
// No font is ever selected: every device context measures and draws in the
// platform's default font, so measuring and drawing agree.
#pragma once

#include "afx/text.h"
#include "afx/types.h"

class CWnd;

struct TextMetrics {
    int tmHeight = 0;
    int tmAveCharWidth = 0;
};

Color GetSysColor(int nIndex);

class CBrush {
public:
    CBrush() = default;
    explicit CBrush(Color color) { CreateSolidBrush(color); }
    CBrush(const CBrush&) = delete;
    CBrush& operator=(const CBrush&) = delete;
    ~CBrush();

    BOOL CreateSolidBrush(Color color);
    Color GetColor() const { return m_color; }
    void* GetSafeHandle() const { return m_hObject; }

private:
    void* m_hObject = nullptr;
    Color m_color = 0;
};

class CDC {
public:
    explicit CDC(DcHandle hDC = nullptr) : m_hDC(hDC) {}
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    virtual ~CDC() = default;

    DcHandle GetSafeHdc() const { return m_hDC; }

    BOOL GetTextMetrics(TextMetrics* pMetrics) const;
    // Width and height of the first nCount bytes of lpszString, a text in that encoding.
    CSize GetTextExtent(const char* lpszString, int nCount, AfxTextEncoding encoding) const;

    CPoint SetWindowOrg(int x, int y);
    void FillRect(const CRect& rect, const CBrush* pBrush);
    Color SetBkColor(Color color);
    int SetBkMode(int nBkMode);
    Color SetTextColor(Color color);
    // Draws the first nCount bytes of lpszString, a text in that encoding.
    BOOL TextOut(int x, int y, const char* lpszString, int nCount, AfxTextEncoding encoding);

protected:
    DcHandle m_hDC;
};

// The screen's device context, in the font every device context has before one is
// selected: the font of the launcher's view.
class CScreenDC : public CDC {
public:
    CScreenDC();
    ~CScreenDC() override;
};

// The device context of one WM_PAINT, between BeginPaint and EndPaint.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;

private:
    WindowHandle m_hWnd;
    void* m_pPaintState = nullptr;
};
