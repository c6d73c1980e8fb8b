// Loading a system DLL from the system directory and nowhere else.
#include "backend/win32/system_library.h"

HMODULE LoadSystemLibrary(const char* lpszName)
{
    HMODULE hModule = ::LoadLibraryExA(lpszName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (hModule != nullptr) {
        return hModule;
    }
    // Systems without the restricted search flag: name the file in the system directory.
    char szPath[2 * MAX_PATH];
    const UINT nLength = ::GetSystemDirectoryA(szPath, MAX_PATH);
    if (nLength == 0 || nLength >= MAX_PATH || ::lstrlenA(lpszName) >= MAX_PATH - 1) {
        return nullptr;
    }
    szPath[nLength] = '\\';
    ::lstrcpyA(szPath + nLength + 1, lpszName);
    return ::LoadLibraryExA(szPath, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}
