// Window classes of the framework: CWnd, CFrameWnd and CButton.
//
// A CWnd is bound to its window from creation until WM_NCDESTROY. Messages reach
// it through the backend's window procedure and CWnd::WindowProc, which walks the
// message tables of the class and its bases; unhandled messages get the system's
// default processing.
#pragma once

#include <string>

#include "afx/msgmap.h"
#include "afx/text.h"
#include "afx/types.h"

class CDC;

// The creation data handed to OnCreate.
struct CreateStruct {
    UINT dwExStyle = 0;
    UINT style = 0;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    const char* lpszName = nullptr;
    const char* lpszClass = nullptr;
    UINT nID = 0;
};

// What a screen reader hears of a window, text of that encoding (the script's).
struct AccessibleText {
    std::string name;
    std::string value;  // also given as the description, for readers that ask for that
    AfxTextEncoding encoding = AfxTextEncoding::Ansi;
};

struct ScrollBarInfo {
    UINT fMask = 0;
    int nMin = 0;
    int nMax = 0;
    UINT nPage = 0;
    int nPos = 0;
};

class CWnd {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    // Destroys the window if it still exists.
    virtual ~CWnd();

    // The window's name is text of that encoding.
    BOOL Create(const char* lpszClassName, const char* lpszWindowName, AfxTextEncoding encoding, UINT dwStyle,
                const CRect& rect, CWnd* pParentWnd, UINT nID);
    BOOL CreateEx(UINT dwExStyle, const char* lpszClassName, const char* lpszWindowName, AfxTextEncoding encoding,
                  UINT dwStyle, const CRect& rect, CWnd* pParentWnd, UINT nID);
    BOOL DestroyWindow();

    WindowHandle GetSafeHwnd() const { return m_hWnd; }
    CWnd* GetParent() const;
    void GetClientRect(CRect* pRect) const;
    void GetWindowRect(CRect* pRect) const;
    BOOL ShowWindow(int nCmdShow);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    // Centres a top-level window on the desktop's work area.
    void CenterWindow();
    CWnd* SetFocus();

    // A device context of the client area with the default font; give it back with ReleaseDC.
    CDC* GetDC();
    int ReleaseDC(CDC* pDC);

    BOOL SetScrollInfo(int nBar, const ScrollBarInfo& info, BOOL bRedraw = TRUE);
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE);
    void ScrollWindow(int xAmount, int yAmount);
    void UpdateWindow();

    BOOL PostMessage(UINT message, MsgWParam wParam = 0, MsgLParam lParam = 0);
    // Modal box owned by this window, its text of that encoding; a null caption gives
    // the application name.
    int MessageBox(const char* lpszText, AfxTextEncoding encoding, const char* lpszCaption = nullptr,
                   UINT nType = MB_OK);

    // The answer to WM_GETOBJECT for the client area: a read-only text object for
    // screen readers, which holds nothing but the window handle and each time it is
    // read calls GetAccessibleText of the object bound to the window, on the window's
    // own thread. 0 when there is none to give: the message then takes its default
    // processing.
    MsgResult AccessibleTextObject(UINT nFlags);
    // The texts of that object, asked by a direct call and never by a message, which
    // another process could send with an address of its choosing. FALSE: none.
    virtual BOOL GetAccessibleText(AccessibleText* pText) const;

    // Entry point of the backend's window procedure for windows bound to an object.
    MsgResult DispatchFromSystem(WindowHandle hWnd, UINT message, MsgWParam wParam, MsgLParam lParam);

    WindowHandle m_hWnd = nullptr;

protected:
    virtual const AFX_MSGMAP* GetMessageMap() const;
    static const AFX_MSGMAP messageMap;
    static const AFX_MSGMAP_ENTRY _messageEntries[];

    // Finds the handler in the message tables, or gives the message its default processing.
    virtual MsgResult WindowProc(UINT message, MsgWParam wParam, MsgLParam lParam);
    // The default processing of the message being handled.
    MsgResult Default();
    // Runs after the window is gone and the object is unbound from it.
    virtual void PostNcDestroy() {}

    // Default creation processing, for the OnCreate of derived classes.
    int OnCreate(CreateStruct* lpCreateStruct);

    friend class CWinApp;
};

class CFrameWnd : public CWnd {
public:
    // Creates a top-level frame; a null class name takes the standard frame class.
    BOOL Create(const char* lpszClassName, const char* lpszWindowName, AfxTextEncoding encoding, UINT dwStyle,
                const CRect& rect);

protected:
    // A frame deletes itself after its window is gone, unless its creation failed:
    // the creator still holds the object then.
    void PostNcDestroy() override;

private:
    bool m_bAutoDelete = false;
};

class CButton : public CWnd {
public:
    BOOL Create(const char* lpszCaption, AfxTextEncoding encoding, UINT dwStyle, const CRect& rect, CWnd* pParentWnd,
                UINT nID);
};
