// The console tools' system on Windows: the system's code page conversion, the
// command line in UTF-16 with its wildcards expanded, and UTF-16 to a console.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// After <windows.h>, which leaves it out when lean.
#include <shellapi.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>

#include "backend/console/console_system.h"

namespace {

UINT g_nCodePage = 1252;

std::wstring Wide(const std::string& text, UINT nCodePage)
{
    const int nBytes = static_cast<int>(text.size());
    const int nUnits = nBytes != 0 ? ::MultiByteToWideChar(nCodePage, 0, text.data(), nBytes, nullptr, 0) : 0;
    std::wstring wide(static_cast<std::size_t>(nUnits), L'\0');
    if (nUnits != 0) {
        ::MultiByteToWideChar(nCodePage, 0, text.data(), nBytes, &wide[0], nUnits);
    }
    return wide;
}

std::string Utf8(const std::wstring& wide)
{
    const int nUnits = static_cast<int>(wide.size());
    const int nBytes =
        nUnits != 0 ? ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), nUnits, nullptr, 0, nullptr, nullptr) : 0;
    std::string text(static_cast<std::size_t>(nBytes), '\0');
    if (nBytes != 0) {
        ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), nUnits, &text[0], nBytes, nullptr, nullptr);
    }
    return text;
}

// The files a name with * or ? matches, in the order of their names; the name itself
// when none does, so that the tool says it cannot open it.
void AddExpanded(const std::wstring& argument, std::vector<std::string>* pOut)
{
    if (argument.find_first_of(L"*?") == std::wstring::npos) {
        pOut->push_back(Utf8(argument));
        return;
    }
    const std::size_t nFolderEnd = argument.find_last_of(L"\\/:");
    const std::wstring folder = nFolderEnd == std::wstring::npos ? L"" : argument.substr(0, nFolderEnd + 1);
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    const HANDLE hFind = ::FindFirstFileW(argument.c_str(), &data);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
                names.push_back(folder + data.cFileName);
            }
        } while (::FindNextFileW(hFind, &data));
        ::FindClose(hFind);
    }
    if (names.empty()) {
        names.push_back(argument);
    }
    std::sort(names.begin(), names.end());
    for (const std::wstring& name : names) {
        pOut->push_back(Utf8(name));
    }
}

}  // namespace

unsigned ConsoleDefaultCodePage() { return ::GetACP(); }

bool ConsoleSetCodePage(unsigned nCodePage)
{
    if (!::IsValidCodePage(nCodePage)) {
        return false;
    }
    g_nCodePage = nCodePage;
    return true;
}

bool ConsoleIsLeadByte(unsigned char c) { return ::IsDBCSLeadByteEx(g_nCodePage, c) != FALSE; }

std::string ConsoleCodePageToUtf8(const std::string& text) { return Utf8(Wide(text, g_nCodePage)); }

std::vector<std::string> ConsoleArguments(int, char**)
{
    int nCount = 0;
    wchar_t** ppArgs = ::CommandLineToArgvW(::GetCommandLineW(), &nCount);
    std::vector<std::string> arguments;
    for (int i = 0; i < nCount; ++i) {
        if (i == 0) {
            arguments.push_back(Utf8(ppArgs[i]));
        } else {
            AddExpanded(ppArgs[i], &arguments);
        }
    }
    ::LocalFree(ppArgs);
    return arguments;
}

std::FILE* ConsoleOpenFile(const char* pszPath) { return ::_wfopen(Wide(pszPath, CP_UTF8).c_str(), L"rb"); }

std::FILE* ConsoleStandardInput()
{
    ::_setmode(::_fileno(stdin), _O_BINARY);
    return stdin;
}

void ConsoleWrite(std::FILE* pStream, const std::string& text)
{
    const HANDLE hOutput = ::GetStdHandle(pStream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    DWORD nMode = 0;
    if (::GetConsoleMode(hOutput, &nMode)) {
        std::fflush(pStream);
        const std::wstring wide = Wide(text, CP_UTF8);
        DWORD nWritten = 0;
        ::WriteConsoleW(hOutput, wide.data(), static_cast<DWORD>(wide.size()), &nWritten, nullptr);
        return;
    }
    std::fwrite(text.data(), 1, text.size(), pStream);
}
