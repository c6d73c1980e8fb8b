// Reads the vertical scroll bar of a window of the launcher, from the driver, through
// the scroll probe DLL hooked into the launcher's thread (see scroll_probe.h).
#pragma once

#include <windows.h>

class ScrollReader {
public:
    explicit ScrollReader(DWORD dwLauncherThreadId);
    ~ScrollReader();
    ScrollReader(const ScrollReader&) = delete;
    ScrollReader& operator=(const ScrollReader&) = delete;

    bool IsReady() const { return m_hHook != nullptr && m_pReply != nullptr; }
    // The query is posted behind whatever the test posted before, so the answer
    // reflects every key already sent to the window.
    bool Read(HWND hWnd, SCROLLINFO* pInfo);

private:
    HANDLE m_hMapping = nullptr;
    struct ScrollProbeReply* m_pReply = nullptr;
    HMODULE m_hProbe = nullptr;
    HHOOK m_hHook = nullptr;
    UINT m_nQuery = 0;
    LONG m_nSequence = 0;
};
