// The installed-version check: the registry names a file whose "FileVersion" string
// must equal the script's version text, or the launcher ends.
#include "app/installed_version.h"

#include <cstring>
#include <vector>

#include "afx/text.h"
#include "script/setup_script.h"
#include "ui/setup_frame.h"

namespace {

constexpr std::uint32_t kPathBufferSize = 100;

// The length of the text at p: up to its first zero byte, but never past nLimit bytes.
std::size_t BoundedLength(const char* p, std::size_t nLimit)
{
    const void* zero = std::memchr(p, '\0', nLimit);
    return zero != nullptr ? static_cast<std::size_t>(static_cast<const char*>(zero) - p) : nLimit;
}

// A string that the version block points into ends, at the latest, with the block.
std::size_t VersionStringLength(const char* p, const std::vector<char>& block, UINT nReportedLength)
{
    const char* begin = block.data();
    const char* end = begin + block.size();
    return BoundedLength(p, (p >= begin && p < end) ? static_cast<std::size_t>(end - p) : nReportedLength);
}

}  // namespace

std::string VersionQueryPath(std::uint16_t language, std::uint16_t codePage)
{
    // Formatted by hand: the printf family would add some 27 KB to setup.exe.
    static const char kHexDigits[] = "0123456789abcdef";
    const std::uint32_t pair = (static_cast<std::uint32_t>(language) << 16) | codePage;
    std::string query = "\\StringFileInfo\\";
    for (int shift = 28; shift >= 0; shift -= 4) {
        query += kHexDigits[(pair >> shift) & 0xF];
    }
    return query + "\\FileVersion";
}

bool ReadInstalledPath(AfxRootKey root, const char* lpszKey, const char* lpszValue, AfxTextEncoding encoding,
                       std::string* pPath)
{
    CRegKey key;
    if (!key.Open(root, lpszKey, encoding)) {
        return false;
    }
    char data[kPathBufferSize * AFX_MAX_BYTES_PER_UNIT] = {};
    std::uint32_t nBytes = 0;
    const long result = key.QueryValue(lpszValue, data, kPathBufferSize, &nBytes);
    key.Close();
    if (result != 0) {
        return false;
    }
    pPath->assign(data, BoundedLength(data, nBytes < sizeof data ? nBytes : sizeof data));
    return true;
}

std::string ReadFileVersionString(const std::string& path, AfxTextEncoding encoding)
{
    const std::uint32_t nSize = AfxGetFileVersionInfoSize(path.c_str(), encoding);
    if (nSize == 0) {
        return {};
    }
    std::vector<char> block(nSize);
    if (!AfxGetFileVersionInfo(path.c_str(), encoding, nSize, block.data())) {
        return {};
    }
    const void* pValue = nullptr;
    UINT nLength = 0;
    if (!AfxVerQueryValue(block.data(), "\\VarFileInfo\\Translation", encoding, &pValue, &nLength) || nLength < 4) {
        return {};
    }
    std::uint16_t translation[2];
    std::memcpy(translation, pValue, sizeof translation);
    const std::string query = VersionQueryPath(translation[0], translation[1]);
    if (!AfxVerQueryValue(block.data(), query.c_str(), encoding, &pValue, &nLength) || pValue == nullptr) {
        return {};
    }
    const char* pszVersion = static_cast<const char*>(pValue);
    return std::string(pszVersion, VersionStringLength(pszVersion, block, nLength));
}

int CSetupFrame::CheckInstalledVersion()
{
    CSetupScript& script = theScript;
    if (script.m_szRegVersion[0] == '\0' || script.m_szRegKey[0] == '\0') {
        return 0;
    }
    if (AfxEqualNoCaseAscii(script.m_szRegValue, "default")) {
        script.m_szRegValue[0] = '\0';
    }
    if (script.m_szRootkey[0] == '\0') {
        std::strcpy(script.m_szRootkey, "HKEY_CURRENT_USER");
    }
    AfxRootKey root = AfxRootKey::CurrentUser;
    if (!LookUpRootKey(script.m_szRootkey, &root)) {
        // Composed apart from the field, so that a name of any length keeps its suffix.
        const std::string text = std::string(script.m_szRootkey) + kBadRootKeySuffix;
        MessageBox(text.c_str(), script.m_encoding);
        return 1;
    }
    std::string path;
    if (!ReadInstalledPath(root, script.m_szRegKey, script.m_szRegValue, script.m_encoding, &path)) {
        return 0;
    }
    const std::string version = ReadFileVersionString(path, script.m_encoding);
    if (version.empty() || version == script.m_szRegVersion) {
        return 0;
    }
    if (script.m_szRegText[0][0] != '\0') {
        MessageBox(script.m_szRegText[0], script.m_encoding);
    }
    return 1;
}
