// Where the message may be cut into lines: whole characters in ANSI text, the
// system's break finder in UTF-8 text.
#include "platform/afx_text.h"
#include "platform/os.h"

void AfxFindLineBreaks(const char* pszText, int nLength, unsigned char* pFlags)
{
    if (AfxGetTextEncoding() == AfxTextEncoding::Utf8 && os::FindUnicodeLineBreaks(pszText, nLength, pFlags)) {
        return;
    }
    for (int i = 0; i < nLength;) {
        pFlags[i] = AFX_CHAR_STOP;
        // An ASCII byte is a character of its own in either encoding, without asking.
        i += static_cast<unsigned char>(pszText[i]) < 0x80 ? 1 : AfxCharLength(pszText + i);
    }
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
