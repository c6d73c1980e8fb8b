// The driver's side of the probe: the mapping, the two hooks and the scroll query.
#include "launcher_probe.h"

#include "launcher_process.h"

namespace {

HOOKPROC HookProc(HMODULE hDll, const char* pszName)
{
    // Through void*: GetProcAddress's pointer type does not match the hook's.
    return reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(hDll, pszName)));
}

}  // namespace

LauncherProbe::~LauncherProbe()
{
    if (m_hShowHook != nullptr) {
        UnhookWindowsHookEx(m_hShowHook);
    }
    if (m_hMessageHook != nullptr) {
        UnhookWindowsHookEx(m_hMessageHook);
    }
    if (m_hDll != nullptr) {
        FreeLibrary(m_hDll);
    }
    if (m_pData != nullptr) {
        UnmapViewOfFile(m_pData);
    }
    if (m_hMapping != nullptr) {
        CloseHandle(m_hMapping);
    }
}

bool LauncherProbe::Attach(DWORD dwProcessId, DWORD dwThreadId)
{
    m_hMapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(LauncherProbeData),
                                    LauncherProbeMappingName(dwProcessId).c_str());
    if (m_hMapping == nullptr) {
        return false;
    }
    m_pData = static_cast<LauncherProbeData*>(
        MapViewOfFile(m_hMapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(LauncherProbeData)));
    m_hDll = LoadLibraryA((DriverFolder() + "launcher_probe.dll").c_str());
    if (m_pData == nullptr || m_hDll == nullptr) {
        return false;
    }
    m_hMessageHook = SetWindowsHookExA(WH_GETMESSAGE, HookProc(m_hDll, kProbeMessageHookName), m_hDll, dwThreadId);
    m_hShowHook = SetWindowsHookExA(WH_CALLWNDPROCRET, HookProc(m_hDll, kProbeShowHookName), m_hDll, dwThreadId);
    return m_hMessageHook != nullptr && m_hShowHook != nullptr;
}

int LauncherProbe::WindowsShown() const
{
    return m_pData != nullptr ? static_cast<int>(InterlockedCompareExchange(&m_pData->nWindowsShown, 0, 0)) : 0;
}

int LauncherProbe::MessageBoxesShown() const
{
    return m_pData != nullptr ? static_cast<int>(InterlockedCompareExchange(&m_pData->nMessageBoxesShown, 0, 0))
                              : 0;
}

bool LauncherProbe::ReadScrollBar(HWND hWnd, SCROLLINFO* pInfo)
{
    if (m_pData == nullptr || m_hMessageHook == nullptr) {
        return false;
    }
    const LONG nSequence = ++m_nScrollSequence;
    if (!PostMessageA(hWnd, RegisterWindowMessageA(kProbeScrollQueryMessage), static_cast<WPARAM>(nSequence), 0)) {
        return false;
    }
    const ULONGLONG ullEnd = GetTickCount64() + kTimeoutMs;
    while (InterlockedCompareExchange(&m_pData->nScrollSequence, 0, 0) != nSequence) {
        if (GetTickCount64() >= ullEnd) {
            return false;
        }
        Sleep(2);
    }
    *pInfo = m_pData->scroll;
    return m_pData->bScrollOk != FALSE;
}

bool LauncherProbe::Subclass(HWND hWnd)
{
    return m_hMessageHook != nullptr && PostMessageA(hWnd, RegisterWindowMessageA(kProbeSubclassMessage), 0, 0);
}
