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

