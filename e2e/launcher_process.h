// One run of the real setup.exe for a test: a scratch folder with the test's
// setup.ini, the process started in it, and the ways the tests watch and drive it
// through the Win32 API. The destructor kills a process that is still running and
// removes the folder, so a failing test leaves nothing behind and never hangs.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "launcher_probe.h"

// Every wait of the tests gives up after this long.
constexpr DWORD kTimeoutMs = 20000;

// Control ids of the launcher window.
constexpr int kOkId = 100;
constexpr int kCancelId = 110;
constexpr int kViewId = 130;

struct MessageBoxContent {
    std::string caption;
    std::string text;
    bool hasIcon = false;
    HWND owner = nullptr;
};

class LauncherProcess {
public:
    // A scratch folder holding this setup.ini; nullptr leaves the folder without one.
    explicit LauncherProcess(const char* pszScript);
    // The setup.exe of a folder made elsewhere (a medium's tree, a Windows path with a
    // trailing backslash), started there; the folder is left as it is.
    explicit LauncherProcess(const std::string& folder);
    ~LauncherProcess();
    LauncherProcess(const LauncherProcess&) = delete;
    LauncherProcess& operator=(const LauncherProcess&) = delete;

    // The folder's Windows path, with a trailing backslash.
    const std::string& Folder() const { return m_strFolder; }

    bool WriteScript(const std::string& script);
    // Starts setup.exe with the probe attached (launcher_probe.h).
    bool Start();
    // Starts it as it is, for timing.
    bool StartWithoutProbe();
    // Starts it with the probe and with a library of the tests' loaded before its first
    // instruction (a Windows path).
    bool StartWithLibrary(const std::string& library);
    // Why the last start failed: what was tried and the system's reason.
    const std::string& StartError() const { return m_strStartError; }
    DWORD ThreadId() const { return m_info.dwThreadId; }
    HANDLE Process() const { return m_info.hProcess; }

    // Counted from the start, however briefly each was shown.
    int WindowsShown() const { return m_probe.WindowsShown(); }
    int MessageBoxesShown() const { return m_probe.MessageBoxesShown(); }
    bool ReadScrollBar(HWND hWnd, SCROLLINFO* pInfo) { return m_probe.ReadScrollBar(hWnd, pInfo); }
    // Gives the foreground to a window of the driver's and back to the frame, as
    // Alt+Tab would: the launcher's focus window then, or null if a switch failed.
    HWND FocusAfterSwitchingAway(HWND hFrame) const;
    // Has the launcher's frame subclassed, as tools do (launcher_probe.h).
    bool Subclass(HWND hWnd) { return m_probe.Subclass(hWnd); }

    // The launcher window: the top-level window, not a message box, that holds the
    // view. Null while there is none.
    HWND Frame() const;
    HWND VisibleMessageBox() const;

    // Each returns null or false on timeout.
    HWND WaitForMessageBox() const;
    HWND WaitForVisibleFrame() const;
    // A visible message box or else the visible frame, whichever comes first; null
    // once the process has ended without either.
    HWND WaitForBoxOrFrame() const;
    bool WaitForExit(DWORD* pdwExitCode);
    // Waits for the end of the process and tells whether its exit status was 0.
    bool ExitsWithStatusZero();

private:
    bool Launch(bool bProbe, const std::string& library = {});
    std::vector<HWND> TopLevelWindows() const;
    void Kill();

    std::string m_strFolder;
    std::string m_strExe;
    std::string m_strStartError;
    bool m_bOwnsFolder = true;
    PROCESS_INFORMATION m_info = {};
    LauncherProbe m_probe;
};

// The system's last error of the calling thread, as its text and number, for a report
// of what could not be done.
std::string LastErrorText();
// CreateProcessW of the command line, tried again while the failure is one that a busy
// machine can cause and that passes; false, with the system's reason in *pError, when
// it never starts.
bool StartProcess(std::wstring commandLine, BOOL bInheritHandles, DWORD dwFlags, const std::string& folder,
                  STARTUPINFOW* pStartup, PROCESS_INFORMATION* pProcess, std::string* pError);

// Texts are UTF-8 here (paths too, where the wide API reads them); these convert.
std::wstring Wide(const std::string& text);
std::string Utf8(const std::wstring& text);
std::string WindowText(HWND hWnd);
std::string WindowClass(HWND hWnd);
MessageBoxContent ReadMessageBox(HWND hBox);
// Presses the box's OK button and waits until the box is gone.
bool DismissMessageBox(HWND hBox);
// A rectangle of a child window in its parent's client coordinates.
RECT ChildRect(HWND hChild);
// The display scale the run was started at: SETUP_E2E_DPI, which wine-run.sh sets in
// the prefix, or 96.
int DisplayDpi();
// A launcher pixel size at that scale, rounded as Windows rounds.
inline int ScaledPx(int n) { return MulDiv(n, DisplayDpi(), 96); }
// The helper programs sit beside the driver; this is the folder, with a backslash.
std::string DriverFolder();
// A path as Windows sees it: a Unix path becomes one on drive Z:, Wine's Unix root.
std::string WindowsPath(const std::string& path);
// The path of setup.exe, as a Windows path.
std::string SetupExePath();
bool FileExists(const std::string& path);
bool CreateFolder(const std::string& path);
// Copies the helper program (helper.cpp) to the path.
bool CopyHelperTo(const std::string& path);
// Waits until the file exists and holds something.
bool WaitForFile(const std::string& path);
std::string ReadWholeFile(const std::string& path);
