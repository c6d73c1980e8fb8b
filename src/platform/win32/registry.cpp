// CRegKey: one registry key opened for reading over advapi32.
#include "platform/afx_system.h"
#include "platform/win32/windows_include.h"

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

}  // namespace

BOOL CRegKey::Open(AfxRootKey root, const char* lpszKeyName)
{
    Close();
    HKEY hRoot = ToPredefinedKey(root);
    HKEY hKey = nullptr;
    if (hRoot == nullptr || ::RegOpenKeyExA(hRoot, lpszKeyName, 0, KEY_READ, &hKey) != ERROR_SUCCESS) {
        return FALSE;
    }
    m_hKey = hKey;
    return TRUE;
}

long CRegKey::QueryValue(const char* lpszValueName, void* pData, std::uint32_t* pnBytes)
{
    if (m_hKey == nullptr) {
        return ERROR_INVALID_HANDLE;
    }
    DWORD nType = 0;
    DWORD nBytes = *pnBytes;
    const LONG nResult = ::RegQueryValueExA(static_cast<HKEY>(m_hKey), lpszValueName, nullptr, &nType,
                                            static_cast<BYTE*>(pData), &nBytes);
    *pnBytes = nBytes;
    return nResult;
}

void CRegKey::Close()
{
    if (m_hKey != nullptr) {
        ::RegCloseKey(static_cast<HKEY>(m_hKey));
        m_hKey = nullptr;
    }
}
