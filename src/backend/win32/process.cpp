// os::WinExec: starting a command line as WinExec does, and through the shell when
// the program asks for elevation, which CreateProcess cannot give, or is no program
// but a document (an installer package, a text), which the shell opens with the
// program Windows keeps for its kind.
#include <string>

#include "afx/os.h"
#include "afx/system.h"
#include "afx/command_line.h"
#include "backend/win32/wide_text.h"
#include "backend/win32/windows_include.h"

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

// CreateProcess's answers for a file that is there but is no program it can start.
bool IsNotAProgram(DWORD nError) { return nError == ERROR_BAD_EXE_FORMAT || nError == ERROR_BAD_FORMAT; }

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

bool StartThroughShell(const char* lpszCmdLine, AfxTextEncoding encoding, int nCmdShow)
{
    // The shell is given exactly the program that the plain start found.
    const CommandLineParts parts = SplitCommandLine(
        lpszCmdLine, encoding, [encoding](const char* lpszPath) { return os::ProgramExists(lpszPath, encoding); });
    const WideText program(parts.program.c_str(), -1, encoding);
    const WideText arguments(parts.arguments.c_str(), -1, encoding);
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

UINT os::WinExec(const char* lpszCmdLine, AfxTextEncoding encoding, int nCmdShow)
{
    // CreateProcessW may write into the command line it is given: the converted copy.
    WideText commandLine(lpszCmdLine, -1, encoding);
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
    if (nError == kErrorElevationRequired || IsNotAProgram(nError)) {
        if (StartThroughShell(lpszCmdLine, encoding, nCmdShow)) {
            return kStarted;
        }
        nError = ::GetLastError();
    }
    return WinExecError(nError);
}
