// Character lengths in the script's encoding, and searches that never stop inside
// a character.
#include "platform/afx_text.h"

#include <cstring>

#include "platform/framework/unicode_text.h"

namespace {

AfxTextEncoding g_encoding = AfxTextEncoding::Ansi;

}  // namespace

void AfxSetTextEncoding(AfxTextEncoding encoding) { g_encoding = encoding; }

AfxTextEncoding AfxGetTextEncoding() { return g_encoding; }

int AfxCharLength(const char* p)
{
    const unsigned char* pBytes = reinterpret_cast<const unsigned char*>(p);
    if (g_encoding == AfxTextEncoding::Utf8) {
        return Utf8SequenceLength(pBytes);
    }
    return AfxIsLeadByte(pBytes[0]) && pBytes[1] != 0 ? 2 : 1;
}

const char* AfxStrChr(const char* psz, char c)
{
    for (const char* p = psz; *p != '\0'; p += AfxCharLength(p)) {
        if (*p == c) {
            return p;
        }
    }
    return nullptr;
}

const char* AfxFindLastOf(const char* psz, const char* pszSet)
{
    const char* pLast = nullptr;
    for (const char* p = psz; *p != '\0'; p += AfxCharLength(p)) {
        if (std::strchr(pszSet, *p) != nullptr) {
            pLast = p;
        }
    }
    return pLast;
}

char* AfxStrChr(char* psz, char c) { return const_cast<char*>(AfxStrChr(static_cast<const char*>(psz), c)); }

void AfxCutAt(char* psz, char c)
{
    if (char* p = AfxStrChr(psz, c)) {
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
