// Version resources through version.dll, loaded on first use from the system
// directory only: the executable does not import it, so a version.dll lying beside
// setup.exe on the medium is never loaded in its place.
#include "platform/afx_system.h"
#include "platform/win32/windows_include.h"

namespace {

using GetFileVersionInfoSizeProc = DWORD(WINAPI*)(LPCSTR, LPDWORD);
using GetFileVersionInfoProc = BOOL(WINAPI*)(LPCSTR, DWORD, DWORD, LPVOID);
using VerQueryValueProc = BOOL(WINAPI*)(LPCVOID, LPCSTR, LPVOID*, PUINT);

struct VersionLibrary {
    bool bLoadTried = false;
    GetFileVersionInfoSizeProc pfnGetFileVersionInfoSize = nullptr;
    GetFileVersionInfoProc pfnGetFileVersionInfo = nullptr;
    VerQueryValueProc pfnVerQueryValue = nullptr;
};

HMODULE LoadVersionLibrary()
{
    HMODULE hModule = ::LoadLibraryExA("version.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (hModule != nullptr) {
        return hModule;
    }
    // Systems without the restricted search flag: name the file in the system directory.
    static const char kFileName[] = "\\version.dll";
    char szPath[MAX_PATH + sizeof(kFileName)];
    const UINT nLength = ::GetSystemDirectoryA(szPath, MAX_PATH);
    if (nLength == 0 || nLength >= MAX_PATH) {
        return nullptr;
    }
    ::lstrcpyA(szPath + nLength, kFileName);
    return ::LoadLibraryExA(szPath, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

template <class Proc>
Proc GetProc(HMODULE hModule, const char* lpszName)
{
    // Through void (*)(), the one function type that converts to any other without a warning.
    return reinterpret_cast<Proc>(reinterpret_cast<void (*)()>(::GetProcAddress(hModule, lpszName)));
}

const VersionLibrary& GetVersionLibrary()
{
    static VersionLibrary library;
    if (!library.bLoadTried) {
        library.bLoadTried = true;
        HMODULE hModule = LoadVersionLibrary();
        if (hModule != nullptr) {
            library.pfnGetFileVersionInfoSize = GetProc<GetFileVersionInfoSizeProc>(hModule, "GetFileVersionInfoSizeA");
            library.pfnGetFileVersionInfo = GetProc<GetFileVersionInfoProc>(hModule, "GetFileVersionInfoA");
            library.pfnVerQueryValue = GetProc<VerQueryValueProc>(hModule, "VerQueryValueA");
        }
    }
    return library;
}

}  // namespace

std::uint32_t AfxGetFileVersionInfoSize(const char* lpszFileName)
{
    const VersionLibrary& library = GetVersionLibrary();
    if (library.pfnGetFileVersionInfoSize == nullptr) {
        return 0;
    }
    DWORD hUnused = 0;
    return library.pfnGetFileVersionInfoSize(lpszFileName, &hUnused);
}

BOOL AfxGetFileVersionInfo(const char* lpszFileName, std::uint32_t nSize, void* pBlock)
{
    const VersionLibrary& library = GetVersionLibrary();
    if (library.pfnGetFileVersionInfo == nullptr) {
        return FALSE;
    }
    return library.pfnGetFileVersionInfo(lpszFileName, 0, nSize, pBlock);
}

BOOL AfxVerQueryValue(const void* pBlock, const char* lpszSubBlock, const void** ppBuffer, UINT* pnLength)
{
    const VersionLibrary& library = GetVersionLibrary();
    if (library.pfnVerQueryValue == nullptr) {
        return FALSE;
    }
    void* pValue = nullptr;
    UINT nLength = 0;
    if (!library.pfnVerQueryValue(pBlock, lpszSubBlock, &pValue, &nLength)) {
        return FALSE;
    }
    *ppBuffer = pValue;
    *pnLength = nLength;
    return TRUE;
}
