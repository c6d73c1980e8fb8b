// Registry keys opened for reading, and their values, over advapi32.
#include <cstring>

#include "afx/os.h"
#include "backend/win32/wide_text.h"
#include "backend/win32/windows_include.h"

namespace {

HKEY ToPredefinedKey(AfxRootKey root)
{
    // By name, not by value: the predefined keys are sign-extended on 64-bit Windows.
    switch (root) {
    case AfxRootKey::ClassesRoot:
        return HKEY_CLASSES_ROOT;
    case AfxRootKey::CurrentUser:
        return HKEY_CURRENT_USER;
    case AfxRootKey::LocalMachine:
        return HKEY_LOCAL_MACHINE;
    case AfxRootKey::Users:
        return HKEY_USERS;
    }
    return nullptr;
}

bool IsText(DWORD nType) { return nType == REG_SZ || nType == REG_EXPAND_SZ || nType == REG_MULTI_SZ; }

}  // namespace

void* os::RegOpenKey(AfxRootKey root, const char* lpszKeyName, AfxTextEncoding encoding)
{
    HKEY hRoot = ToPredefinedKey(root);
    HKEY hKey = nullptr;
    if (hRoot == nullptr ||
        ::RegOpenKeyExW(hRoot, WideText(lpszKeyName, -1, encoding).c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS) {
        return nullptr;
    }
    return hKey;
}

long os::RegQueryValue(void* hKey, AfxTextEncoding encoding, const char* lpszValueName, void* pData,
                       std::uint32_t nLimit, std::uint32_t* pnBytes)
{
    // Text of nLimit characters never has more UTF-16 units than that, in either
    // encoding: an ANSI character is one byte or two.
    const DWORD nCapacity = nLimit * sizeof(wchar_t);
    BYTE* pStored = new BYTE[nCapacity + sizeof(wchar_t)];
    DWORD nType = 0;
    DWORD nBytes = nCapacity;
    LONG nResult = ::RegQueryValueExW(static_cast<HKEY>(hKey), WideText(lpszValueName, -1, encoding).c_str(),
                                      nullptr, &nType, pStored, &nBytes);
    if (nResult == ERROR_SUCCESS && IsText(nType)) {
        // The NUL the stored text ends with, if any, is converted with it.
        const NarrowText text(reinterpret_cast<const wchar_t*>(pStored), static_cast<int>(nBytes / sizeof(wchar_t)),
                              encoding);
        const DWORD nTextBytes = static_cast<DWORD>(text.length());
        const DWORD nMaxBytes = encoding == AfxTextEncoding::Ansi ? nLimit : nLimit * AFX_MAX_BYTES_PER_UNIT;
        if (nTextBytes > nMaxBytes) {
            nResult = ERROR_MORE_DATA;
        } else {
            std::memcpy(pData, text.c_str(), nTextBytes);
            *pnBytes = nTextBytes;
        }
    } else if (nResult == ERROR_SUCCESS && nBytes > nLimit) {
        nResult = ERROR_MORE_DATA;
    } else if (nResult == ERROR_SUCCESS) {
        std::memcpy(pData, pStored, nBytes);
        *pnBytes = nBytes;
    }
    delete[] pStored;
    return nResult;
}

void os::RegCloseKey(void* hKey) { ::RegCloseKey(static_cast<HKEY>(hKey)); }
