// Static message tables: one per window class, walked by CWnd's dispatcher.
//
// Each entry names a message (and, for WM_COMMAND, a notification code and control
// id) and a thunk that decodes the message parameters once and calls the handler
// with typed arguments. Handlers never see the raw parameters.
#pragma once

#include "afx/types.h"

class CWnd;
struct CreateStruct;

// The object bound to a window of this program, or null.
CWnd* AfxWndFromHandle(WindowHandle hWnd);

using AfxMsgThunk = MsgResult (*)(CWnd* pWnd, MsgWParam wParam, MsgLParam lParam);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;
    UINT nCode;  // WM_COMMAND: notification code
    UINT nID;    // WM_COMMAND: control id
    AfxMsgThunk pfnThunk;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* pBaseMap;
    const AFX_MSGMAP_ENTRY* lpEntries;  // ends with an entry whose nMessage is 0
};

namespace afx_thunk {

template <class T, int (T::*Handler)(CreateStruct*)>
MsgResult OnCreate(CWnd* pWnd, MsgWParam, MsgLParam lParam)
{
    return (static_cast<T*>(pWnd)->*Handler)(reinterpret_cast<CreateStruct*>(lParam));
}

template <class T, void (T::*Handler)()>
MsgResult NoArgs(CWnd* pWnd, MsgWParam, MsgLParam)
{
    (static_cast<T*>(pWnd)->*Handler)();
    return 0;
}

// WM_KEYDOWN: virtual key, repeat count (low word of lParam), key flags (high word).
template <class T, void (T::*Handler)(UINT, UINT, UINT)>
MsgResult OnKeyDown(CWnd* pWnd, MsgWParam wParam, MsgLParam lParam)
{
    const auto bits = static_cast<std::uintptr_t>(lParam);
    (static_cast<T*>(pWnd)->*Handler)(static_cast<UINT>(wParam), LowWord(bits), HighWord(bits));
    return 0;
}

// WM_VSCROLL: scroll code (low word of wParam), thumb position (high word).
template <class T, void (T::*Handler)(UINT, UINT)>
MsgResult OnVScroll(CWnd* pWnd, MsgWParam wParam, MsgLParam)
{
    (static_cast<T*>(pWnd)->*Handler)(LowWord(wParam), HighWord(wParam));
    return 0;
}

// WM_SETFOCUS: the window that lost the focus, null when it is none of ours.
template <class T, void (T::*Handler)(CWnd*)>
MsgResult OnSetFocus(CWnd* pWnd, MsgWParam wParam, MsgLParam)
{
    (static_cast<T*>(pWnd)->*Handler)(AfxWndFromHandle(reinterpret_cast<WindowHandle>(wParam)));
    return 0;
}

// WM_GETOBJECT: flags (wParam) and the object asked for (lParam, a signed 32-bit id).
template <class T, MsgResult (T::*Handler)(UINT, int)>
MsgResult OnGetObject(CWnd* pWnd, MsgWParam wParam, MsgLParam lParam)
{
    return (static_cast<T*>(pWnd)->*Handler)(static_cast<UINT>(wParam), static_cast<int>(lParam));
}

}  // namespace afx_thunk

#define DECLARE_MESSAGE_MAP()                              \
protected:                                                 \
    static const AFX_MSGMAP_ENTRY _messageEntries[];       \
    static const AFX_MSGMAP messageMap;                    \
    const AFX_MSGMAP* GetMessageMap() const override;      \
                                                           \
public:                                                    \
    static const AFX_MSGMAP* GetThisMessageMap() { return &messageMap; }

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                        \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return &messageMap; }        \
    const AFX_MSGMAP theClass::messageMap = {&baseClass::messageMap,                  \
                                             &theClass::_messageEntries[0]};          \
    const AFX_MSGMAP_ENTRY theClass::_messageEntries[] = {
#define END_MESSAGE_MAP() \
    {0, 0, 0, nullptr}    \
    }                     \
    ;

// Entry macros take the class explicitly, so that the table reads as plain data.
#define ON_WM_CREATE(theClass) {WM_CREATE, 0, 0, &afx_thunk::OnCreate<theClass, &theClass::OnCreate>},
#define ON_WM_DESTROY(theClass) {WM_DESTROY, 0, 0, &afx_thunk::NoArgs<theClass, &theClass::OnDestroy>},
#define ON_WM_PAINT(theClass) {WM_PAINT, 0, 0, &afx_thunk::NoArgs<theClass, &theClass::OnPaint>},
#define ON_WM_KEYDOWN(theClass) {WM_KEYDOWN, 0, 0, &afx_thunk::OnKeyDown<theClass, &theClass::OnKeyDown>},
#define ON_WM_VSCROLL(theClass) {WM_VSCROLL, 0, 0, &afx_thunk::OnVScroll<theClass, &theClass::OnVScroll>},
#define ON_WM_SETFOCUS(theClass) {WM_SETFOCUS, 0, 0, &afx_thunk::OnSetFocus<theClass, &theClass::OnSetFocus>},
#define ON_WM_GETOBJECT(theClass) {WM_GETOBJECT, 0, 0, &afx_thunk::OnGetObject<theClass, &theClass::OnGetObject>},
#define ON_BN_CLICKED(theClass, id, handler) \
    {WM_COMMAND, BN_CLICKED, id, &afx_thunk::NoArgs<theClass, &theClass::handler>},
