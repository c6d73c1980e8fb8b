// Driver side of the scroll probe: the mapping, the hook and the query.
#include "scroll_reader.h"

#include <string>

#include "launcher_process.h"
#include "scroll_probe.h"

ScrollReader::ScrollReader(DWORD dwLauncherThreadId)
{
    const std::string name = ScrollProbeMappingName(GetCurrentProcessId());
    m_hMapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(ScrollProbeReply),
                                    name.c_str());
    if (m_hMapping != nullptr) {
        m_pReply = static_cast<ScrollProbeReply*>(
            MapViewOfFile(m_hMapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(ScrollProbeReply)));
    }
    m_hProbe = LoadLibraryA((DriverFolder() + "scroll_probe.dll").c_str());
    // Through void*: GetProcAddress's pointer type does not match the hook's.
    auto pHook = m_hProbe != nullptr ? reinterpret_cast<HOOKPROC>(
                                           reinterpret_cast<void*>(GetProcAddress(m_hProbe, kScrollProbeHookName)))
                                     : nullptr;
    if (pHook != nullptr) {
        m_hHook = SetWindowsHookExA(WH_GETMESSAGE, pHook, m_hProbe, dwLauncherThreadId);
    }
    m_nQuery = RegisterWindowMessageA(kScrollProbeQueryMessage);
}

ScrollReader::~ScrollReader()
{
    if (m_hHook != nullptr) {
        UnhookWindowsHookEx(m_hHook);
    }
    if (m_hProbe != nullptr) {
        FreeLibrary(m_hProbe);
    }
    if (m_pReply != nullptr) {
        UnmapViewOfFile(m_pReply);
    }
    if (m_hMapping != nullptr) {
        CloseHandle(m_hMapping);
    }
}

bool ScrollReader::Read(HWND hWnd, SCROLLINFO* pInfo)
{
    if (!IsReady()) {
        return false;
    }
    const LONG nSequence = ++m_nSequence;
    if (!PostMessageA(hWnd, m_nQuery, static_cast<WPARAM>(nSequence), static_cast<LPARAM>(GetCurrentProcessId()))) {
        return false;
    }
    const ULONGLONG ullEnd = GetTickCount64() + kTimeoutMs;
    while (InterlockedCompareExchange(&m_pReply->nSequence, 0, 0) != nSequence) {
        if (GetTickCount64() >= ullEnd) {
            return false;
        }
        Sleep(2);
    }
    *pInfo = m_pReply->info;
    return m_pReply->bOk != FALSE;
}
