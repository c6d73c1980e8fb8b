// Character searches that never take the second byte of a double-byte character.
#include "platform/afx_text.h"

const char* AfxStrChr(const char* psz, char c)
{
    for (const char* p = psz; *p != '\0'; ++p) {
        if (*p == c) {
            return p;
        }
        if (AfxIsLeadByte(static_cast<unsigned char>(*p)) && p[1] != '\0') {
            ++p;  // the trail byte is part of this character
        }
    }
    return nullptr;
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
