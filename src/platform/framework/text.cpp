// Character lengths in the script's encoding, and searches that never stop inside
// a character.
#include "platform/afx_text.h"

#include <cstring>

namespace {

AfxTextEncoding g_encoding = AfxTextEncoding::Ansi;

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Length of the well-formed UTF-8 sequence at p, or 1 when it is not one: no
// overlong forms, no surrogates, nothing above U+10FFFF. A NUL is never a
// continuation byte, so nothing past the terminator is read.
int Utf8SequenceLength(const unsigned char* p)
{
    const unsigned char c = p[0];
    if (c < 0x80) {
        return 1;
    }
    int nLength = 0;
    unsigned char nSecondMin = 0x80;
    unsigned char nSecondMax = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
        nLength = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        nLength = 3;
        nSecondMin = c == 0xE0 ? 0xA0 : 0x80;
        nSecondMax = c == 0xED ? 0x9F : 0xBF;
    } else if (c >= 0xF0 && c <= 0xF4) {
        nLength = 4;
        nSecondMin = c == 0xF0 ? 0x90 : 0x80;
        nSecondMax = c == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 1;
    }
    if (p[1] < nSecondMin || p[1] > nSecondMax) {
        return 1;
    }
    for (int i = 2; i < nLength; ++i) {
        if (!IsContinuation(p[i])) {
            return 1;
        }
    }
    return nLength;
}

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
    for (const char* p = psz; *p != '\0'; ++p) {
        if (std::strchr(pszSet, *p) != nullptr) {
            pLast = p;
        } else if (AfxIsLeadByte(static_cast<unsigned char>(*p)) && p[1] != '\0') {
            ++p;  // the trail byte is part of this character
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
