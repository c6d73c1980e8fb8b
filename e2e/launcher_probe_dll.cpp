// The probe DLL, loaded into the launcher by the driver's hooks: counts the windows
// the launcher shows and answers scroll bar queries (see launcher_probe.h).
#include <cstring>

#include "launcher_probe.h"

namespace {

LauncherProbeData* Data()
{
    static LauncherProbeData* s_pData = [] {
        HANDLE hMapping =
            OpenFileMappingA(FILE_MAP_WRITE, FALSE, LauncherProbeMappingName(GetCurrentProcessId()).c_str());
        void* pView = hMapping != nullptr ? MapViewOfFile(hMapping, FILE_MAP_WRITE, 0, 0, sizeof(LauncherProbeData))
                                          : nullptr;
        // The view stays mapped for the life of the process; the handle is not needed.
        if (hMapping != nullptr) {
            CloseHandle(hMapping);
        }
        return static_cast<LauncherProbeData*>(pView);
    }();
    return s_pData;
}

// The window procedure that a subclassed window had before; one window at a time.
WNDPROC g_pfnSubclassed = nullptr;

LRESULT CALLBACK PassOnProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(g_pfnSubclassed, hWnd, message, wParam, lParam);
}

bool IsMessageBox(HWND hWnd)
{
    char szClass[16] = "";
    GetClassNameA(hWnd, szClass, sizeof szClass);
    return std::strcmp(szClass, "#32770") == 0;
}

}  // namespace

// Runs in the launcher whenever its thread takes a message from its queue.
extern "C" __declspec(dllexport) LRESULT CALLBACK ProbeMessageHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    static const UINT s_nQuery = RegisterWindowMessageA(kProbeScrollQueryMessage);
    static const UINT s_nSubclass = RegisterWindowMessageA(kProbeSubclassMessage);
    auto* pMsg = reinterpret_cast<MSG*>(lParam);
    LauncherProbeData* pData = Data();
    if (nCode == HC_ACTION && wParam == PM_REMOVE && pMsg->message == s_nSubclass) {
        g_pfnSubclassed = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(pMsg->hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PassOnProc)));
        pMsg->message = WM_NULL;
    }
    if (nCode == HC_ACTION && wParam == PM_REMOVE && pMsg->message == s_nQuery && pData != nullptr) {
        SCROLLINFO info = {};
        info.cbSize = sizeof info;
        info.fMask = SIF_ALL;
        pData->bScrollOk = GetScrollInfo(pMsg->hwnd, SB_VERT, &info);
        pData->scroll = info;
        InterlockedExchange(&pData->nScrollSequence, static_cast<LONG>(pMsg->wParam));
        // The launcher's own window procedure never sees the query.
        pMsg->message = WM_NULL;
    }
    return CallNextHookEx(nullptr, nCode, wParam, lParam);
}

// Runs in the launcher after each of its window procedures has handled a sent message.
extern "C" __declspec(dllexport) LRESULT CALLBACK ProbeShowHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    const auto* pCall = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    LauncherProbeData* pData = Data();
    if (nCode == HC_ACTION && pCall->message == WM_WINDOWPOSCHANGED && pData != nullptr &&
        (reinterpret_cast<const WINDOWPOS*>(pCall->lParam)->flags & SWP_SHOWWINDOW) &&
        !(GetWindowLongA(pCall->hwnd, GWL_STYLE) & WS_CHILD)) {
        InterlockedIncrement(IsMessageBox(pCall->hwnd) ? &pData->nMessageBoxesShown : &pData->nWindowsShown);
    }
    return CallNextHookEx(nullptr, nCode, wParam, lParam);
}
