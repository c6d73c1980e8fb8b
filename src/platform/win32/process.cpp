// AfxWinExec: starting a command line as WinExec does, and through the shell when
// the program asks for elevation, which CreateProcess cannot give.
#include <string>

#include "platform/afx_seal.h"
#include "platform/afx_system.h"
#include "platform/framework/command_line.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/windows_include.h"

#include <shellapi.h>

namespace {

constexpr UINT kStarted = 33;  // any result above 31 means success
// ERROR_ELEVATION_REQUIRED, which the MinGW headers lack.
constexpr DWORD kErrorElevationRequired = 740;
// How long to wait for the started program to be ready for input, as WinExec does,
// so that its window is up before the launcher's goes away.
constexpr DWORD kInputIdleTimeout = 10000;

void WaitAndClose(HANDLE hProcess)
{
    if (hProcess != nullptr) {
        ::WaitForInputIdle(hProcess, kInputIdleTimeout);
        ::CloseHandle(hProcess);
    }
}

// WinExec's failure results are the few error codes below 32.
UINT WinExecError(DWORD nError)
{
    switch (nError) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_FORMAT:
        return static_cast<UINT>(nError);
    default:
        return 0;
    }
}

bool StartThroughShell(const char* lpszCmdLine, int nCmdShow)
{
    // The shell is given exactly the program that the plain start found.
    const CommandLineParts parts = SplitCommandLine(lpszCmdLine, AfxProgramExists);
    const WideText program(parts.program.c_str());
    const WideText arguments(parts.arguments.c_str());
    SHELLEXECUTEINFOW sei{};
    sei.cbSize = sizeof(sei);
    // The launcher reports a failure itself, and ends soon after: the start must be
    // complete when the call returns.
    sei.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    sei.lpFile = program.c_str();
    sei.lpParameters = parts.arguments.empty() ? nullptr : arguments.c_str();
    sei.nShow = nCmdShow;
    if (!::ShellExecuteExW(&sei)) {
        return false;
    }
    WaitAndClose(sei.hProcess);
    return true;
}

}  // namespace

UINT AfxWinExec(const char* lpszCmdLine, int nCmdShow)
{
    // CreateProcessW may write into the command line it is given: the converted copy.
    WideText commandLine(lpszCmdLine);
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = static_cast<WORD>(nCmdShow);
    PROCESS_INFORMATION pi{};
    if (::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        ::CloseHandle(pi.hThread);
        WaitAndClose(pi.hProcess);
        return kStarted;
    }
    DWORD nError = ::GetLastError();
    if (nError == kErrorElevationRequired) {
        if (StartThroughShell(lpszCmdLine, nCmdShow)) {
            return kStarted;
        }
        nError = ::GetLastError();
    }
    return WinExecError(nError);
}
