// The test helper program. The launcher starts it through [Run]: it writes its
// command line into the file that the command line names and ends. Its version
// resource (helper.rc) is the installed file that the version-check tests point at.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR lpCmdLine, int)
{
    std::string path = lpCmdLine;
    if (path.size() >= 2 && path.front() == '"' && path.back() == '"') {
        path = path.substr(1, path.size() - 2);
    }
    HANDLE hFile = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) {
        return 1;
    }
    const std::string text = std::string("started with ") + lpCmdLine;
    DWORD dwWritten = 0;
    const BOOL bOk = WriteFile(hFile, text.data(), static_cast<DWORD>(text.size()), &dwWritten, nullptr);
    CloseHandle(hFile);
    return bOk ? 0 : 1;
}
