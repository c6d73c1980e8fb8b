// Starting setup.exe in a scratch folder and watching its windows from outside.
#include "launcher_process.h"

#include <cstdio>

namespace {

constexpr DWORD kPollMs = 2;
constexpr int kStartAttempts = 4;
constexpr DWORD kStartRetryMs = 250;

// A failure to start that says nothing about the program: the system was short of
// something for a moment. A program that is not there or is no program fails for good.
bool IsTransientStartError(DWORD dwError)
{
    switch (dwError) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_EXE_FORMAT:
    case ERROR_BAD_FORMAT:
    case ERROR_ACCESS_DENIED:
    case ERROR_INVALID_PARAMETER:
    case ERROR_DIRECTORY:
        return false;
    default:
        return true;
    }
}

template <typename Condition>
bool WaitUntil(Condition condition)
{
    const ULONGLONG ullEnd = GetTickCount64() + kTimeoutMs;
    for (;;) {
        if (condition()) {
            return true;
        }
        if (GetTickCount64() >= ullEnd) {
            return false;
        }
        Sleep(kPollMs);
    }
}

bool WriteWholeFile(const std::string& path, const std::string& contents)
{
    HANDLE hFile = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD dwWritten = 0;
    const BOOL bOk = WriteFile(hFile, contents.data(), static_cast<DWORD>(contents.size()), &dwWritten, nullptr);
    CloseHandle(hFile);
    return bOk && dwWritten == contents.size();
}

// A program that the launcher started from the folder may still be ending: its file
// cannot go until it has, so this tries again for a while.
void RemoveFolder(const std::string& folder)
{
    for (int nAttempt = 0; nAttempt < 100; ++nAttempt) {
        WIN32_FIND_DATAW data;
        HANDLE hFind = FindFirstFileW(Wide(folder + "*").c_str(), &data);
        if (hFind != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = Utf8(data.cFileName);
                if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                    DeleteFileW(Wide(folder + name).c_str());
                } else if (name != "." && name != "..") {
                    RemoveFolder(folder + name + "\\");
                }
            } while (FindNextFileW(hFind, &data));
            FindClose(hFind);
        }
        if (RemoveDirectoryW(Wide(folder).c_str()) || GetFileAttributesW(Wide(folder).c_str()) == INVALID_FILE_ATTRIBUTES) {
            return;
        }
        Sleep(20);
    }
}

std::string NewScratchFolder()
{
    static int s_nCount = 0;
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    const std::string folder = std::string(szTemp) + "setup-e2e-" + std::to_string(GetCurrentProcessId()) + "-" +
                               std::to_string(++s_nCount) + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

bool IsMessageBox(HWND hWnd)
{
    return WindowClass(hWnd) == "#32770";
}

struct ProcessWindows {
    DWORD dwProcessId;
    std::vector<HWND> windows;
};

// An EnumWindows callback: a named function, since on i686 it must be __stdcall.
BOOL CALLBACK CollectProcessWindow(HWND hWnd, LPARAM lParam)
{
    auto* pSearch = reinterpret_cast<ProcessWindows*>(lParam);
    DWORD dwProcessId = 0;
    GetWindowThreadProcessId(hWnd, &dwProcessId);
    if (dwProcessId == pSearch->dwProcessId) {
        pSearch->windows.push_back(hWnd);
    }
    return TRUE;
}

// Has a thread of the suspended process load the library (a Windows path) and waits
// for it; kernel32 is where it is in this process.
bool LoadLibraryInto(HANDLE hProcess, const std::string& library)
{
    const std::wstring path = Wide(library);
    const SIZE_T nBytes = (path.size() + 1) * sizeof(wchar_t);
    void* pPath = VirtualAllocEx(hProcess, nullptr, nBytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (pPath == nullptr || !WriteProcessMemory(hProcess, pPath, path.c_str(), nBytes, nullptr)) {
        return false;
    }
    const auto pfnLoad = reinterpret_cast<LPTHREAD_START_ROUTINE>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "LoadLibraryW")));
    const HANDLE hThread = CreateRemoteThread(hProcess, nullptr, 0, pfnLoad, pPath, 0, nullptr);
    if (hThread == nullptr) {
        return false;
    }
    // Its exit code, a cut module handle on 64 bits, cannot tell whether it loaded: the
    // test sees that by what the library does.
    const bool bEnded = WaitForSingleObject(hThread, kTimeoutMs) == WAIT_OBJECT_0;
    CloseHandle(hThread);
    return bEnded;
}

}  // namespace

LauncherProcess::LauncherProcess(const char* pszScript) : m_strFolder(NewScratchFolder()), m_strExe(SetupExePath())
{
    if (pszScript != nullptr) {
        WriteScript(pszScript);
    }
}

LauncherProcess::LauncherProcess(const std::string& folder)
    : m_strFolder(folder), m_strExe(folder + "setup.exe"), m_bOwnsFolder(false)
{
}

bool LauncherProcess::WriteScript(const std::string& script)
{
    return WriteWholeFile(m_strFolder + "setup.ini", script);
}

LauncherProcess::~LauncherProcess()
{
    Kill();
    if (m_bOwnsFolder) {
        RemoveFolder(m_strFolder);
    }
}

bool LauncherProcess::Start()
{
    return Launch(true);
}

bool LauncherProcess::StartWithoutProbe()
{
    return Launch(false);
}

bool LauncherProcess::StartWithLibrary(const std::string& library)
{
    return Launch(true, library);
}

bool LauncherProcess::Launch(bool bProbe, const std::string& library)
{
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    // Suspended until the probe is in place, so that it sees the first window.
    if (!StartProcess(L"\"" + Wide(m_strExe) + L"\"", FALSE, CREATE_SUSPENDED, m_strFolder, &startup, &m_info,
                      &m_strStartError)) {
        return false;
    }
    if (bProbe && !m_probe.Attach(m_info.dwProcessId, m_info.dwThreadId)) {
        m_strStartError = "the probe was not attached: " + LastErrorText();
        Kill();
        return false;
    }
    if (!library.empty() && !LoadLibraryInto(m_info.hProcess, library)) {
        m_strStartError = library + " was not loaded into it: " + LastErrorText();
        Kill();
        return false;
    }
    if (ResumeThread(m_info.hThread) == static_cast<DWORD>(-1)) {
        m_strStartError = "its thread was not resumed: " + LastErrorText();
        return false;
    }
    return true;
}

void LauncherProcess::Kill()
{
    if (m_info.hProcess == nullptr) {
        return;
    }
    if (WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_info.hProcess, 1);
        WaitForSingleObject(m_info.hProcess, kTimeoutMs);
    }
    CloseHandle(m_info.hThread);
    CloseHandle(m_info.hProcess);
    m_info = {};
}

std::vector<HWND> LauncherProcess::TopLevelWindows() const
{
    ProcessWindows search = {m_info.dwProcessId, {}};
    EnumWindows(CollectProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.windows;
}

HWND LauncherProcess::Frame() const
{
    for (HWND hWnd : TopLevelWindows()) {
        if (!IsMessageBox(hWnd) && GetDlgItem(hWnd, kViewId) != nullptr) {
            return hWnd;
        }
    }
    return nullptr;
}

HWND LauncherProcess::VisibleMessageBox() const
{
    for (HWND hWnd : TopLevelWindows()) {
        if (IsMessageBox(hWnd) && IsWindowVisible(hWnd)) {
            return hWnd;
        }
    }
    return nullptr;
}

HWND LauncherProcess::FocusAfterSwitchingAway(HWND hFrame) const
{
    HWND hOther = CreateWindowExA(0, "STATIC", "Another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                                  nullptr, nullptr, nullptr, nullptr);
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    bool bSwitched = hOther != nullptr;
    for (HWND hForeground : {hOther, hFrame}) {
        // The launcher learns of a switch from a message: one sent after it returns once both are handled.
        bSwitched = bSwitched && SetForegroundWindow(hForeground) &&
                    SendMessageTimeoutA(hFrame, WM_NULL, 0, 0, SMTO_NORMAL, kTimeoutMs, nullptr) &&
                    GetGUIThreadInfo(ThreadId(), &info) && (info.hwndActive == hFrame) == (hForeground == hFrame);
    }
    DestroyWindow(hOther);
    return bSwitched ? info.hwndFocus : nullptr;
}

HWND LauncherProcess::WaitForMessageBox() const
{
    HWND hBox = nullptr;
    WaitUntil([&] {
        hBox = VisibleMessageBox();
        return hBox != nullptr;
    });
    return hBox;
}

HWND LauncherProcess::WaitForVisibleFrame() const
{
    HWND hFrame = nullptr;
    WaitUntil([&] {
        hFrame = Frame();
        return hFrame != nullptr && IsWindowVisible(hFrame);
    });
    return hFrame;
}

HWND LauncherProcess::WaitForBoxOrFrame() const
{
    HWND hWnd = nullptr;
    WaitUntil([&] {
        hWnd = VisibleMessageBox();
        const HWND hFrame = hWnd == nullptr ? Frame() : nullptr;
        hWnd = hFrame != nullptr && IsWindowVisible(hFrame) ? hFrame : hWnd;
        return hWnd != nullptr || WaitForSingleObject(m_info.hProcess, 0) == WAIT_OBJECT_0;
    });
    return hWnd;
}

bool LauncherProcess::WaitForExit(DWORD* pdwExitCode)
{
    if (m_info.hProcess == nullptr) {
        return false;
    }
    return WaitForSingleObject(m_info.hProcess, kTimeoutMs) == WAIT_OBJECT_0 &&
           GetExitCodeProcess(m_info.hProcess, pdwExitCode);
}

bool LauncherProcess::ExitsWithStatusZero()
{
    DWORD dwExitCode = 1;
    return WaitForExit(&dwExitCode) && dwExitCode == 0;
}

std::string LastErrorText()
{
    const DWORD dwError = GetLastError();
    wchar_t szText[512] = L"";
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, dwError, 0, szText, 512, nullptr);
    std::string text = Utf8(szText);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
        text.pop_back();
    }
    return (text.empty() ? "error" : text) + " (" + std::to_string(dwError) + ")";
}

bool StartProcess(std::wstring commandLine, BOOL bInheritHandles, DWORD dwFlags, const std::string& folder,
                  STARTUPINFOW* pStartup, PROCESS_INFORMATION* pProcess, std::string* pError)
{
    const std::wstring wideFolder = Wide(folder);
    for (int nAttempt = 1;; ++nAttempt) {
        if (CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, bInheritHandles, dwFlags, nullptr,
                           folder.empty() ? nullptr : wideFolder.c_str(), pStartup, pProcess)) {
            return true;
        }
        const DWORD dwError = GetLastError();
        *pError = "CreateProcess failed: " + LastErrorText();
        if (!IsTransientStartError(dwError) || nAttempt == kStartAttempts) {
            if (nAttempt > 1) {
                *pError += ", " + std::to_string(nAttempt) + " times";
            }
            return false;
        }
        std::fprintf(stderr, "%s; trying again\n", pError->c_str());
        Sleep(kStartRetryMs * nAttempt);
    }
}

std::wstring Wide(const std::string& text)
{
    std::wstring wide(text.size() + 1, L'\0');
    wide.resize(MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, &wide[0], wide.size()) - 1);
    return wide;
}

std::string Utf8(const std::wstring& text)
{
    std::string utf8(text.size() * 3 + 1, '\0');
    utf8.resize(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &utf8[0], utf8.size(), nullptr, nullptr) - 1);
    return utf8;
}

std::string WindowText(HWND hWnd)
{
    wchar_t szText[2048] = L"";
    GetWindowTextW(hWnd, szText, 2048);
    return Utf8(szText);
}

std::string WindowClass(HWND hWnd)
{
    char szClass[256] = "";
    GetClassNameA(hWnd, szClass, sizeof szClass);
    return szClass;
}

MessageBoxContent ReadMessageBox(HWND hBox)
{
    MessageBoxContent content;
    content.caption = WindowText(hBox);
    content.text = WindowText(GetDlgItem(hBox, 0xFFFF));
    content.owner = GetWindow(hBox, GW_OWNER);
    // The icon is a static control in icon mode that holds an icon; some systems
    // keep an empty one in boxes without an icon.
    for (HWND hChild = GetWindow(hBox, GW_CHILD); hChild != nullptr; hChild = GetWindow(hChild, GW_HWNDNEXT)) {
        const LONG lStyle = GetWindowLongA(hChild, GWL_STYLE);
        if (WindowClass(hChild) == "Static" && (lStyle & SS_TYPEMASK) == SS_ICON &&
            SendMessageA(hChild, STM_GETICON, 0, 0) != 0) {
            content.hasIcon = true;
        }
    }
    return content;
}

bool DismissMessageBox(HWND hBox)
{
    PostMessageA(hBox, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(hBox, IDOK)));
    return WaitUntil([&] { return !IsWindow(hBox) || !IsWindowVisible(hBox); });
}

RECT ChildRect(HWND hChild)
{
    RECT rect = {};
    GetWindowRect(hChild, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(hChild), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

int DisplayDpi()
{
    char szDpi[16] = "";
    const DWORD nLength = GetEnvironmentVariableA("SETUP_E2E_DPI", szDpi, sizeof szDpi);
    const int nDpi = nLength > 0 && nLength < sizeof szDpi ? atoi(szDpi) : 0;
    return nDpi > 0 ? nDpi : 96;
}

std::string DriverFolder()
{
    char szPath[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    std::string folder = szPath;
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

std::string WindowsPath(const std::string& path)
{
    std::string windowsPath = !path.empty() && path[0] == '/' ? "Z:" + path : path;
    for (char& c : windowsPath) {
        c = c == '/' ? '\\' : c;
    }
    return windowsPath;
}

std::string SetupExePath()
{
    // The build knows it by its Unix path.
    return WindowsPath(SETUP_EXE_PATH);
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool CreateFolder(const std::string& path) { return CreateDirectoryW(Wide(path).c_str(), nullptr); }

bool CopyHelperTo(const std::string& path)
{
    return CopyFileW(Wide(DriverFolder() + "e2e_helper.exe").c_str(), Wide(path).c_str(), FALSE);
}

bool WaitForFile(const std::string& path)
{
    return WaitUntil([&] { return !ReadWholeFile(path).empty(); });
}

std::string ReadWholeFile(const std::string& path)
{
    std::string contents;
    HANDLE hFile = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) {
        return contents;
    }
    char buffer[4096];
    DWORD dwRead = 0;
    while (ReadFile(hFile, buffer, sizeof buffer, &dwRead, nullptr) && dwRead > 0) {
        contents.append(buffer, dwRead);
    }
    CloseHandle(hFile);
    return contents;
}
