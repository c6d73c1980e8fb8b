// Version resources through version.dll, loaded on first use from the system
// directory only (system_library.h).
#include <string>

#include "afx/os.h"
#include "afx/text.h"
#include "backend/win32/system_library.h"
#include "backend/win32/wide_text.h"

namespace {

using GetFileVersionInfoSizeProc = DWORD(WINAPI*)(LPCWSTR, LPDWORD);
using GetFileVersionInfoProc = BOOL(WINAPI*)(LPCWSTR, DWORD, DWORD, LPVOID);
using VerQueryValueProc = BOOL(WINAPI*)(LPCVOID, LPCWSTR, LPVOID*, PUINT);

struct VersionLibrary {
    bool bLoadTried = false;
    GetFileVersionInfoSizeProc pfnGetFileVersionInfoSize = nullptr;
    GetFileVersionInfoProc pfnGetFileVersionInfo = nullptr;
    VerQueryValueProc pfnVerQueryValue = nullptr;
};

const VersionLibrary& GetVersionLibrary()
{
    static VersionLibrary library;
    if (!library.bLoadTried) {
        library.bLoadTried = true;
        HMODULE hModule = LoadSystemLibrary("version.dll");
        if (hModule != nullptr) {
            library.pfnGetFileVersionInfoSize = GetProc<GetFileVersionInfoSizeProc>(hModule, "GetFileVersionInfoSizeW");
            library.pfnGetFileVersionInfo = GetProc<GetFileVersionInfoProc>(hModule, "GetFileVersionInfoW");
            library.pfnVerQueryValue = GetProc<VerQueryValueProc>(hModule, "VerQueryValueW");
        }
    }
    return library;
}

// The values under "\StringFileInfo" are texts; the others are binary.
bool IsStringQuery(const char* lpszSubBlock)
{
    static const char kPrefix[] = "\\StringFileInfo\\";
    return AfxEqualNoCaseAscii(std::string(lpszSubBlock).substr(0, sizeof kPrefix - 1).c_str(), kPrefix);
}

// A text value in the script's encoding, kept until the next one is asked for.
const char* KeepNarrowValue(const wchar_t* pszValue, UINT nUnits, AfxTextEncoding encoding, UINT* pnLength)
{
    static char* pszKept = nullptr;
    UINT nLength = 0;
    while (nLength < nUnits && pszValue[nLength] != L'\0') {
        ++nLength;
    }
    delete[] pszKept;
    NarrowText text(pszValue, static_cast<int>(nLength), encoding);
    *pnLength = static_cast<UINT>(text.length()) + 1;
    pszKept = text.release();
    return pszKept;
}

}  // namespace

std::uint32_t os::GetFileVersionInfoSize(const char* lpszFileName, AfxTextEncoding encoding)
{
    const VersionLibrary& library = GetVersionLibrary();
    if (library.pfnGetFileVersionInfoSize == nullptr) {
        return 0;
    }
    DWORD hUnused = 0;
    return library.pfnGetFileVersionInfoSize(WideText(lpszFileName, -1, encoding).c_str(), &hUnused);
}

BOOL os::GetFileVersionInfo(const char* lpszFileName, AfxTextEncoding encoding, std::uint32_t nSize, void* pBlock)
{
    const VersionLibrary& library = GetVersionLibrary();
    if (library.pfnGetFileVersionInfo == nullptr) {
        return FALSE;
    }
    return library.pfnGetFileVersionInfo(WideText(lpszFileName, -1, encoding).c_str(), 0, nSize, pBlock);
}

BOOL os::VerQueryValue(const void* pBlock, const char* lpszSubBlock, AfxTextEncoding encoding, const void** ppBuffer,
                      UINT* pnLength)
{
    const VersionLibrary& library = GetVersionLibrary();
    if (library.pfnVerQueryValue == nullptr) {
        return FALSE;
    }
    void* pValue = nullptr;
    UINT nLength = 0;
    if (!library.pfnVerQueryValue(pBlock, WideText(lpszSubBlock, -1, encoding).c_str(), &pValue, &nLength)) {
        return FALSE;
    }
    if (pValue != nullptr && IsStringQuery(lpszSubBlock)) {
        pValue = const_cast<char*>(KeepNarrowValue(static_cast<const wchar_t*>(pValue), nLength, encoding, &nLength));
    }
    *ppBuffer = pValue;
    *pnLength = nLength;
    return TRUE;
}
