// The test helper program. The launcher starts it through [Run]: it writes its
// command line's arguments (in UTF-8) into the file that they name, and ends. Its
// version resource (helper.rc) is the installed file that the version-check tests
// point at.
#include <windows.h>
#include <shlwapi.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    const std::wstring arguments = PathGetArgsW(GetCommandLineW());
    std::wstring path = arguments;
    if (path.size() >= 2 && path.front() == L'"' && path.back() == L'"') {
        path = path.substr(1, path.size() - 2);
    }
    HANDLE hFile = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) {
        return 1;
    }
    std::string text(arguments.size() * 3 + 1, '\0');
    text.resize(WideCharToMultiByte(CP_UTF8, 0, arguments.c_str(), -1, &text[0], text.size(), nullptr, nullptr) - 1);
    text = "started with " + text;
    DWORD dwWritten = 0;
    const BOOL bOk = WriteFile(hFile, text.data(), static_cast<DWORD>(text.size()), &dwWritten, nullptr);
    CloseHandle(hFile);
    return bOk ? 0 : 1;
}
