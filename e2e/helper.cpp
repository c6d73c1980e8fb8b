// The test helper program. The launcher starts it through [Run]: it writes its
// command line's arguments, as UTF-8, into the file that they name, and ends. Its
// version resource (helper.rc) is the installed file that the version-check tests
// point at.
#include <windows.h>

#include <string>

namespace {

// The arguments: what follows the program's name, which may be quoted.
std::wstring Arguments()
{
    const wchar_t* p = GetCommandLineW();
    const bool bQuoted = *p == L'"';
    for (p += bQuoted ? 1 : 0; *p != L'\0' && (bQuoted ? *p != L'"' : *p != L' '); ++p) {
    }
    for (p += (bQuoted && *p == L'"') ? 1 : 0; *p == L' '; ++p) {
    }
    return p;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    const std::wstring arguments = Arguments();
    std::wstring path = arguments;
    if (path.size() >= 2 && path.front() == L'"' && path.back() == L'"') {
        path = path.substr(1, path.size() - 2);
    }
    HANDLE hFile = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) {
        return 1;
    }
    std::string text(arguments.size() * 3, '\0');
    text.resize(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, arguments.data(),
                                                              static_cast<int>(arguments.size()), &text[0],
                                                              static_cast<int>(text.size()), nullptr, nullptr)));
    text = "started with " + text;
    DWORD dwWritten = 0;
    const BOOL bOk = WriteFile(hFile, text.data(), static_cast<DWORD>(text.size()), &dwWritten, nullptr);
    CloseHandle(hFile);
    return bOk ? 0 : 1;
}
