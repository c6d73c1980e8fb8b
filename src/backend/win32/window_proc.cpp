// Window creation, the shared window procedure, and the binding of each window to
// its CWnd object.
//
// os::CreateWindowEx leaves the object to bind in g_pWndInit; the window's first
// message, which for a top-level window comes even before WM_NCCREATE, takes it
// and stores it in a window property of ours. From then on every message goes to
// the object until WM_NCDESTROY, when the framework unbinds it. A property, unlike
// the window procedure or the user data, stays ours when another program's hook
// (an accessibility or skinning tool) subclasses the window.
#include "afx/wnd.h"
#include "afx/os.h"
#include "backend/win32/handles.h"
#include "backend/win32/wide_text.h"
#include "backend/win32/window_proc.h"

namespace {

// The window being created: its object, and its class and window names as the
// framework gave them; the program has a single thread.
struct WindowInit {
    CWnd* pBound;
    const char* lpszClassName;
    const char* lpszWindowName;
};
WindowInit g_wndInit{};

// The window property that holds a window's object.
const char kBoundObjectProperty[] = "SetupLauncher.CWnd";

CWnd* BoundObject(HWND hWnd) { return static_cast<CWnd*>(::GetPropA(hWnd, kBoundObjectProperty)); }

// A WM_CREATE being handled: the creation data as the framework sees it, and the
// lParam the system sent, which its default processing needs back. A window
// created inside another's OnCreate nests a second record in the first.
struct CreateRecord {
    CreateStruct cs;
    LPARAM lParamSystem;
    CreateRecord* pOuter;
};
CreateRecord* g_pCreateRecords = nullptr;

CreateStruct ToCreateStruct(const CREATESTRUCTW& cs, const WindowInit& init)
{
    CreateStruct result;
    result.dwExStyle = static_cast<UINT>(cs.dwExStyle);
    result.style = static_cast<UINT>(cs.style);
    result.x = cs.x;
    result.y = cs.y;
    result.cx = cs.cx;
    result.cy = cs.cy;
    result.lpszName = init.lpszWindowName;
    result.lpszClass = init.lpszClassName;
    if ((cs.style & WS_CHILD) != 0) {
        result.nID = static_cast<UINT>(reinterpret_cast<UINT_PTR>(cs.hMenu));
    }
    return result;
}

LRESULT DispatchCreate(CWnd* pWnd, HWND hWnd, WPARAM wParam, LPARAM lParam, const WindowInit& init)
{
    CreateRecord record{ToCreateStruct(*reinterpret_cast<const CREATESTRUCTW*>(lParam), init), lParam,
                        g_pCreateRecords};
    g_pCreateRecords = &record;
    const MsgResult result =
        pWnd->DispatchFromSystem(FromHwnd(hWnd), WM_CREATE, wParam, reinterpret_cast<MsgLParam>(&record.cs));
    g_pCreateRecords = record.pOuter;
    return result;
}

// The lParam the system sent with a WM_CREATE whose framework creation data is lParam.
LPARAM SystemCreateParam(MsgLParam lParam)
{
    for (const CreateRecord* pRecord = g_pCreateRecords; pRecord != nullptr; pRecord = pRecord->pOuter) {
        if (reinterpret_cast<MsgLParam>(&pRecord->cs) == lParam) {
            return pRecord->lParamSystem;
        }
    }
    return lParam;
}

}  // namespace

namespace win32 {

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = BoundObject(hWnd);
    if (pWnd == nullptr) {
        if (g_wndInit.pBound == nullptr) {
            // A window created without an object, or one whose object is gone.
            return ::DefWindowProcW(hWnd, message, wParam, lParam);
        }
        pWnd = g_wndInit.pBound;
        g_wndInit.pBound = nullptr;
        ::SetPropA(hWnd, kBoundObjectProperty, pWnd);
    }
    if (message == WM_CREATE && lParam != 0) {
        return DispatchCreate(pWnd, hWnd, wParam, lParam, g_wndInit);
    }
    return pWnd->DispatchFromSystem(FromHwnd(hWnd), message, wParam, lParam);
}

}  // namespace win32

namespace os {

WindowHandle CreateWindowEx(UINT dwExStyle, const char* lpszClassName, const char* lpszWindowName, UINT dwStyle,
                            const CRect& rect, WindowHandle hParent, UINT nID, CWnd* pBound, AfxTextEncoding encoding)
{
    // A child window carries its control id where a top-level window has its menu.
    HMENU hMenu = (dwStyle & WS_CHILD) != 0 ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)) : nullptr;
    const WindowInit outerInit = g_wndInit;
    g_wndInit = WindowInit{pBound, lpszClassName, lpszWindowName};
    // Class names are ASCII.
    HWND hWnd = ::CreateWindowExW(dwExStyle, WideText(lpszClassName, -1, AfxTextEncoding::Utf8).c_str(),
                                  WideText(lpszWindowName, -1, encoding).c_str(),
                                  dwStyle, rect.left, rect.top, rect.Width(), rect.Height(), ToHwnd(hParent), hMenu,
                                  ::GetModuleHandleA(nullptr), nullptr);
    g_wndInit = outerInit;
    return FromHwnd(hWnd);
}

void UnbindWindow(WindowHandle hWnd) { ::RemovePropA(ToHwnd(hWnd), kBoundObjectProperty); }

CWnd* GetBoundObject(WindowHandle hWnd)
{
    HWND hSystemWnd = ToHwnd(hWnd);
    if (hSystemWnd == nullptr) {
        return nullptr;
    }
    // The property holds an object only in a window of our own process.
    DWORD nProcessId = 0;
    ::GetWindowThreadProcessId(hSystemWnd, &nProcessId);
    return nProcessId == ::GetCurrentProcessId() ? BoundObject(hSystemWnd) : nullptr;
}

MsgResult DefWindowProc(WindowHandle hWnd, UINT message, MsgWParam wParam, MsgLParam lParam)
{
    const LPARAM lParamSystem = message == WM_CREATE ? SystemCreateParam(lParam) : lParam;
    return ::DefWindowProcW(ToHwnd(hWnd), message, wParam, lParamSystem);
}

}  // namespace os
