// CRegKey: one registry key opened for reading, through the backend.
#include "afx/system.h"
#include "afx/os.h"

namespace {

// What a key that is not open answers, as the system answers for a bad handle.
constexpr long kErrorInvalidHandle = 6;

}  // namespace

BOOL CRegKey::Open(AfxRootKey root, const char* lpszKeyName, AfxTextEncoding encoding)
{
    Close();
    m_hKey = os::RegOpenKey(root, lpszKeyName, encoding);
    m_encoding = encoding;
    return m_hKey != nullptr;
}

long CRegKey::QueryValue(const char* lpszValueName, void* pData, std::uint32_t nLimit, std::uint32_t* pnBytes)
{
    if (m_hKey == nullptr) {
        return kErrorInvalidHandle;
    }
    return os::RegQueryValue(m_hKey, m_encoding, lpszValueName, pData, nLimit, pnBytes);
}

void CRegKey::Close()
{
    if (m_hKey != nullptr) {
        os::RegCloseKey(m_hKey);
        m_hKey = nullptr;
    }
}
