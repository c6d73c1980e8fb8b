// The accessible object of a window that shows a read-only text (the message view),
// for screen readers (MSAA IAccessible).
//
// The object is built on the system's standard object for the window's client area
// (CreateStdAccessibleObject): everything but the role, name, value and description
// is the standard object's answer. It holds the window handle and never the window's
// object: each read finds the object bound to the window and calls it, on the
// window's thread, where COM delivers a reader's calls; once the window is gone the
// object says it is no longer connected. A reader may keep the object for as long as
// it likes. No message carries the texts: a message in the private range can come
// from any process, with any address in it.
//
// oleacc.dll, ole32.dll and oleaut32.dll are loaded from the system directory the
// first time a reader asks, so a launcher that no reader looks at loads none of them.
#include <new>

#include "afx/wnd.h"
#include "afx/os.h"
#include "backend/win32/handles.h"
#include "backend/win32/system_library.h"
#include "backend/win32/wide_text.h"

#include <ole2.h>
#include <oleacc.h>

namespace {

using CreateStdAccessibleObjectProc = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
using LresultFromObjectProc = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
using CoInitializeExProc = HRESULT(WINAPI*)(LPVOID, DWORD);
using SysAllocStringLenProc = BSTR(WINAPI*)(const OLECHAR*, UINT);

struct AccessibilityLibraries {
    CreateStdAccessibleObjectProc pfnCreateStdAccessibleObject = nullptr;
    LresultFromObjectProc pfnLresultFromObject = nullptr;
    SysAllocStringLenProc pfnSysAllocStringLen = nullptr;
    bool bReady = false;
};

// Loads the three libraries once, and enters a single-threaded apartment so that a
// reader in another process can call the object through the message loop.
const AccessibilityLibraries& GetAccessibilityLibraries()
{
    static AccessibilityLibraries libraries;
    static bool s_bLoadTried = false;
    if (!s_bLoadTried) {
        s_bLoadTried = true;
        HMODULE hOleAcc = LoadSystemLibrary("oleacc.dll");
        HMODULE hOleAut = LoadSystemLibrary("oleaut32.dll");
        HMODULE hOle = LoadSystemLibrary("ole32.dll");
        if (hOleAcc == nullptr || hOleAut == nullptr || hOle == nullptr) {
            return libraries;
        }
        libraries.pfnCreateStdAccessibleObject =
            GetProc<CreateStdAccessibleObjectProc>(hOleAcc, "CreateStdAccessibleObject");
        libraries.pfnLresultFromObject = GetProc<LresultFromObjectProc>(hOleAcc, "LresultFromObject");
        libraries.pfnSysAllocStringLen = GetProc<SysAllocStringLenProc>(hOleAut, "SysAllocStringLen");
        const auto pfnCoInitializeEx = GetProc<CoInitializeExProc>(hOle, "CoInitializeEx");
        // S_FALSE, or a thread already in an apartment, serves as well.
        const HRESULT hr = pfnCoInitializeEx != nullptr ? pfnCoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)
                                                        : E_NOINTERFACE;
        libraries.bReady = libraries.pfnCreateStdAccessibleObject != nullptr &&
                           libraries.pfnLresultFromObject != nullptr && libraries.pfnSysAllocStringLen != nullptr &&
                           (SUCCEEDED(hr) || hr == RPC_E_CHANGED_MODE);
    }
    return libraries;
}

bool IsSelf(const VARIANT& varChild)
{
    return varChild.vt == VT_I4 && varChild.lVal == CHILDID_SELF;
}

class CAccessibleText final : public IAccessible {
public:
    CAccessibleText(HWND hWnd, IAccessible* pStandard) : m_hWnd(hWnd), m_pStandard(pStandard) {}
    CAccessibleText(const CAccessibleText&) = delete;
    CAccessibleText& operator=(const CAccessibleText&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == nullptr) {
            return E_POINTER;
        }
        if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) || riid == __uuidof(IAccessible)) {
            *ppv = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_nRefs; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG nRefs = --m_nRefs;
        if (nRefs == 0) {
            delete this;
        }
        return nRefs;
    }

    // IDispatch: the standard object's.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pn) override { return m_pStandard->GetTypeInfoCount(pn); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT n, LCID lcid, ITypeInfo** pp) override
    {
        return m_pStandard->GetTypeInfo(n, lcid, pp);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT n, LCID lcid, DISPID* ids) override
    {
        return m_pStandard->GetIDsOfNames(riid, names, n, lcid, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* info, UINT* arg) override
    {
        return m_pStandard->Invoke(id, riid, lcid, flags, params, result, info, arg);
    }

    // What the view is: static text, named by the frame's caption, valued by the message.
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT varChild, VARIANT* pvarRole) override
    {
        if (pvarRole == nullptr) {
            return E_POINTER;
        }
        pvarRole->vt = VT_EMPTY;
        if (!IsSelf(varChild)) {
            return E_INVALIDARG;
        }
        if (!::IsWindow(m_hWnd)) {
            return CO_E_OBJNOTCONNECTED;
        }
        pvarRole->vt = VT_I4;
        pvarRole->lVal = ROLE_SYSTEM_STATICTEXT;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT varChild, BSTR* pszName) override
    {
        return ReadText(varChild, &AccessibleText::name, pszName);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT varChild, BSTR* pszValue) override
    {
        return ReadText(varChild, &AccessibleText::value, pszValue);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT varChild, BSTR* pszDescription) override
    {
        return ReadText(varChild, &AccessibleText::value, pszDescription);
    }

    // The rest: the standard object's answers for the window's client area.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** pp) override { return m_pStandard->get_accParent(pp); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* pn) override { return m_pStandard->get_accChildCount(pn); }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT v, IDispatch** pp) override
    {
        return m_pStandard->get_accChild(v, pp);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT v, VARIANT* p) override { return m_pStandard->get_accState(v, p); }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT v, BSTR* p) override { return m_pStandard->get_accHelp(v, p); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* p, VARIANT v, LONG* pn) override
    {
        return m_pStandard->get_accHelpTopic(p, v, pn);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT v, BSTR* p) override
    {
        return m_pStandard->get_accKeyboardShortcut(v, p);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* p) override { return m_pStandard->get_accFocus(p); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* p) override { return m_pStandard->get_accSelection(p); }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT v, BSTR* p) override
    {
        return m_pStandard->get_accDefaultAction(v, p);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG n, VARIANT v) override { return m_pStandard->accSelect(n, v); }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* x, LONG* y, LONG* cx, LONG* cy, VARIANT v) override
    {
        return m_pStandard->accLocation(x, y, cx, cy, v);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG n, VARIANT v, VARIANT* p) override
    {
        return m_pStandard->accNavigate(n, v, p);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* p) override
    {
        return m_pStandard->accHitTest(x, y, p);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT v) override { return m_pStandard->accDoDefaultAction(v); }
    // The texts are the window's to say, never a reader's to change.
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~CAccessibleText() { m_pStandard->Release(); }

    // One of the texts, asked of the window now, as a string the caller frees.
    HRESULT ReadText(const VARIANT& varChild, std::string AccessibleText::*pPart, BSTR* pbstr)
    {
        if (pbstr == nullptr) {
            return E_POINTER;
        }
        *pbstr = nullptr;
        if (!IsSelf(varChild)) {
            return E_INVALIDARG;
        }
        if (::GetWindowThreadProcessId(m_hWnd, nullptr) != ::GetCurrentThreadId()) {
            return ::IsWindow(m_hWnd) ? RPC_E_WRONG_THREAD : CO_E_OBJNOTCONNECTED;
        }
        const CWnd* pWnd = AfxWndFromHandle(FromHwnd(m_hWnd));
        AccessibleText text;
        if (pWnd == nullptr || !pWnd->GetAccessibleText(&text)) {
            return CO_E_OBJNOTCONNECTED;
        }
        const WideText wide((text.*pPart).c_str(), static_cast<int>((text.*pPart).size()), text.encoding);
        *pbstr = GetAccessibilityLibraries().pfnSysAllocStringLen(wide.c_str(), static_cast<UINT>(wide.length()));
        return *pbstr != nullptr ? S_OK : E_OUTOFMEMORY;
    }

    HWND m_hWnd;
    IAccessible* m_pStandard;
    ULONG m_nRefs = 1;
};

}  // namespace

namespace os {

MsgResult AccessibleTextObject(WindowHandle hWnd, UINT nFlags)
{
    const AccessibilityLibraries& libraries = GetAccessibilityLibraries();
    if (!libraries.bReady) {
        return 0;
    }
    HWND hwnd = ToHwnd(hWnd);
    IAccessible* pStandard = nullptr;
    if (FAILED(libraries.pfnCreateStdAccessibleObject(hwnd, OBJID_CLIENT, __uuidof(IAccessible),
                                                      reinterpret_cast<void**>(&pStandard))) ||
        pStandard == nullptr) {
        return 0;
    }
    CAccessibleText* pObject = new (std::nothrow) CAccessibleText(hwnd, pStandard);
    if (pObject == nullptr) {
        pStandard->Release();
        return 0;
    }
    // The reference handed over now belongs to the reader; a new object for each request.
    const LRESULT result = libraries.pfnLresultFromObject(__uuidof(IAccessible), nFlags, pObject);
    pObject->Release();
    return result > 0 ? result : 0;
}

}  // namespace os
