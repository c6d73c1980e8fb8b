// What the driver and the probe DLL share, and the driver's side of the probe.
//
// The driver hooks the launcher's thread with the probe DLL before the launcher
// runs its first instruction, so the DLL sees from inside what Wine does not show
// from outside: every top-level window that is shown, however briefly, and the
// state of a window's scroll bar (Wine answers GetScrollInfo only in the process
// that owns the window). The DLL writes both into a mapping named after the
// launcher's process id, which the driver created. It can also subclass a window of
// the launcher, as accessibility and skinning tools do.
#pragma once

#include <windows.h>

#include <string>

constexpr char kProbeScrollQueryMessage[] = "SetupE2EProbeScrollQuery";
constexpr char kProbeSubclassMessage[] = "SetupE2EProbeSubclass";
constexpr char kProbeMessageHookName[] = "ProbeMessageHook";
constexpr char kProbeShowHookName[] = "ProbeShowHook";

struct LauncherProbeData {
    volatile LONG nWindowsShown;      // top-level windows shown, message boxes not counted
    volatile LONG nMessageBoxesShown;
    volatile LONG nScrollSequence;    // the last scroll query answered, written last
    BOOL bScrollOk;
    SCROLLINFO scroll;
};

inline std::string LauncherProbeMappingName(DWORD dwLauncherProcessId)
{
    return "Local\\SetupE2EProbe." + std::to_string(dwLauncherProcessId);
}

class LauncherProbe {
public:
    LauncherProbe() = default;
    ~LauncherProbe();
    LauncherProbe(const LauncherProbe&) = delete;
    LauncherProbe& operator=(const LauncherProbe&) = delete;

    // Hooks the thread; the process must not have run yet, or shows can be missed.
    bool Attach(DWORD dwProcessId, DWORD dwThreadId);
    int WindowsShown() const;
    int MessageBoxesShown() const;
    // The query is posted behind whatever the test posted to the window before, so
    // the answer reflects every key already sent.
    bool ReadScrollBar(HWND hWnd, SCROLLINFO* pInfo);
    // Has the launcher put a window procedure of the probe's, which passes every
    // message on, in front of the window's own; done before anything posted later.
    bool Subclass(HWND hWnd);

private:
    HANDLE m_hMapping = nullptr;
    LauncherProbeData* m_pData = nullptr;
    HMODULE m_hDll = nullptr;
    HHOOK m_hMessageHook = nullptr;
    HHOOK m_hShowHook = nullptr;
    LONG m_nScrollSequence = 0;
};
