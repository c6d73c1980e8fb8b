// Character lengths in the script's encoding, and searches that never stop inside
// a character.
#include "afx/text.h"

#include <cstring>

#include "afx/os.h"
#include "afx/unicode_text.h"

int AfxCharLength(const char* p, AfxTextEncoding encoding)
{
    const unsigned char* pBytes = reinterpret_cast<const unsigned char*>(p);
    if (encoding == AfxTextEncoding::Utf8) {
        return Utf8SequenceLength(pBytes);
    }
    return os::IsLeadByte(pBytes[0]) && pBytes[1] != 0 ? 2 : 1;
}

const char* AfxStrChr(const char* psz, char c, AfxTextEncoding encoding)
{
    for (const char* p = psz; *p != '\0'; p += AfxCharLength(p, encoding)) {
        if (*p == c) {
            return p;
        }
    }
    return nullptr;
}

const char* AfxFindLastOf(const char* psz, const char* pszSet, AfxTextEncoding encoding)
{
    const char* pLast = nullptr;
    for (const char* p = psz; *p != '\0'; p += AfxCharLength(p, encoding)) {
        if (std::strchr(pszSet, *p) != nullptr) {
            pLast = p;
        }
    }
    return pLast;
}

char* AfxStrChr(char* psz, char c, AfxTextEncoding encoding)
{
    return const_cast<char*>(AfxStrChr(static_cast<const char*>(psz), c, encoding));
}

void AfxCutAt(char* psz, char c, AfxTextEncoding encoding)
{
    if (char* p = AfxStrChr(psz, c, encoding)) {
        *p = '\0';
    }
}

namespace {

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool AfxEqualNoCaseAscii(const char* psz1, const char* psz2)
{
    for (; *psz1 != '\0' && *psz2 != '\0'; ++psz1, ++psz2) {
        if (FoldAscii(*psz1) != FoldAscii(*psz2)) {
            return false;
        }
    }
    return *psz1 == *psz2;
}

std::uint32_t AfxUtf8CodePoint(const char* p, int nLength)
{
    const unsigned char* pBytes = reinterpret_cast<const unsigned char*>(p);
    if (nLength <= 1) {
        return pBytes[0] < 0x80 ? pBytes[0] : 0xFFFD;
    }
    // The lead byte keeps 7 - nLength bits, each continuation byte 6.
    std::uint32_t nCode = pBytes[0] & (0x7Fu >> nLength);
    for (int i = 1; i < nLength; ++i) {
        nCode = (nCode << 6) | (pBytes[i] & 0x3Fu);
    }
    return nCode;
}
