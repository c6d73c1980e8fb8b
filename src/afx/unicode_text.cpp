// UTF-8 and UTF-16 scripts decoded into UTF-8, with U+FFFD for what is broken; the
// pieces of UTF-8 text; and Unicode's simple case folding.
#include "afx/unicode_text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>


namespace {

constexpr unsigned long kReplacement = 0xFFFD;

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

int EncodeUtf8(unsigned long nCodePoint, unsigned char* pOut)
{
    if (nCodePoint < 0x80) {
        pOut[0] = static_cast<unsigned char>(nCodePoint);
        return 1;
    }
    if (nCodePoint < 0x800) {
        pOut[0] = static_cast<unsigned char>(0xC0 | (nCodePoint >> 6));
        pOut[1] = static_cast<unsigned char>(0x80 | (nCodePoint & 0x3F));
        return 2;
    }
    if (nCodePoint < 0x10000) {
        pOut[0] = static_cast<unsigned char>(0xE0 | (nCodePoint >> 12));
        pOut[1] = static_cast<unsigned char>(0x80 | ((nCodePoint >> 6) & 0x3F));
        pOut[2] = static_cast<unsigned char>(0x80 | (nCodePoint & 0x3F));
        return 3;
    }
    pOut[0] = static_cast<unsigned char>(0xF0 | (nCodePoint >> 18));
    pOut[1] = static_cast<unsigned char>(0x80 | ((nCodePoint >> 12) & 0x3F));
    pOut[2] = static_cast<unsigned char>(0x80 | ((nCodePoint >> 6) & 0x3F));
    pOut[3] = static_cast<unsigned char>(0x80 | (nCodePoint & 0x3F));
    return 4;
}

unsigned UnitAt(const unsigned char* p, bool bBigEndian)
{
    return bBigEndian ? (p[0] << 8 | p[1]) : (p[1] << 8 | p[0]);
}

bool IsHighSurrogate(unsigned nUnit) { return nUnit >= 0xD800 && nUnit <= 0xDBFF; }
bool IsLowSurrogate(unsigned nUnit) { return nUnit >= 0xDC00 && nUnit <= 0xDFFF; }

std::size_t DecodeUtf8(const unsigned char* p, std::size_t nAvailable, unsigned char* pOut, int* pnOut)
{
    // Zero-padded, so that the sequence test stops at the end of what is there.
    unsigned char bytes[kMaxRawCharacterBytes + 1] = {};
    std::memcpy(bytes, p, nAvailable < kMaxRawCharacterBytes ? nAvailable : kMaxRawCharacterBytes);
    const int nLength = Utf8SequenceLength(bytes);
    if (nLength == 1 && bytes[0] >= 0x80) {
        *pnOut = EncodeUtf8(kReplacement, pOut);
        return 1;
    }
    std::memcpy(pOut, bytes, static_cast<std::size_t>(nLength));
    *pnOut = nLength;
    return static_cast<std::size_t>(nLength);
}

std::size_t DecodeUtf16(const unsigned char* p, std::size_t nAvailable, bool bBigEndian, unsigned char* pOut,
                        int* pnOut)
{
    if (nAvailable < 2) {
        *pnOut = EncodeUtf8(kReplacement, pOut);
        return nAvailable;
    }
    const unsigned nUnit = UnitAt(p, bBigEndian);
    if (IsHighSurrogate(nUnit) && nAvailable >= 4 && IsLowSurrogate(UnitAt(p + 2, bBigEndian))) {
        const unsigned long nCodePoint =
            0x10000 + ((static_cast<unsigned long>(nUnit) - 0xD800) << 10) + (UnitAt(p + 2, bBigEndian) - 0xDC00);
        *pnOut = EncodeUtf8(nCodePoint, pOut);
        return 4;
    }
    const bool bLoneSurrogate = IsHighSurrogate(nUnit) || IsLowSurrogate(nUnit);
    *pnOut = EncodeUtf8(bLoneSurrogate ? kReplacement : nUnit, pOut);
    return 2;
}

// Code points from nFirst to nLast, nStep apart, that fold to the code point nOffset
// away.
struct CaseFoldingRun {
    std::uint32_t nFirst;
    std::uint32_t nLast;
    std::uint8_t nStep;
    std::int32_t nOffset;
};

const CaseFoldingRun kCaseFoldingRuns[] = {
#include "afx/case_folding.inc"
};

}  // namespace

int Utf8SequenceLength(const unsigned char* p)
{
    const unsigned char c = p[0];
    int nLength = 0;
    unsigned char nSecondMin = 0x80;
    unsigned char nSecondMax = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
        nLength = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        nLength = 3;
        nSecondMin = c == 0xE0 ? 0xA0 : 0x80;  // no overlong form
        nSecondMax = c == 0xED ? 0x9F : 0xBF;  // no surrogate
    } else if (c >= 0xF0 && c <= 0xF4) {
        nLength = 4;
        nSecondMin = c == 0xF0 ? 0x90 : 0x80;  // no overlong form
        nSecondMax = c == 0xF4 ? 0x8F : 0xBF;  // nothing above U+10FFFF
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

std::size_t Utf8CharacterLength(const unsigned char* p, std::size_t nLeft)
{
    if (p[0] < 0x80) {
        return 1;
    }
    const std::size_t n = static_cast<std::size_t>(Utf8SequenceLength(p));
    return n > 1 && n <= nLeft ? n : 0;
}

std::size_t Utf8BrokenSequenceLength(const unsigned char* p, std::size_t nLeft)
{
    std::size_t n = 1;
    for (std::size_t k = 2; k < kMaxRawCharacterBytes && k <= nLeft; ++k) {
        unsigned char bytes[kMaxRawCharacterBytes + 1] = {0x80, 0x80, 0x80, 0x80, 0};
        std::memcpy(bytes, p, k);
        if (static_cast<std::size_t>(Utf8SequenceLength(bytes)) <= k) {
            break;
        }
        n = k;
    }
    return n;
}

bool IsValidUtf8(const std::string& bytes)
{
    bool bValid = true;
    ForEachUtf8Piece(bytes, [&bValid](const unsigned char*, std::size_t, bool bWellFormed) {
        bValid = bValid && bWellFormed;
    });
    return bValid;
}

bool IsControlCharacter(const unsigned char* p, std::size_t nLength)
{
    return (nLength == 1 && (p[0] < 0x20 || p[0] == 0x7F)) || (nLength == 2 && p[0] == 0xC2 && p[1] < 0xA0);
}

std::size_t Utf16Length(const std::string& text)
{
    std::size_t nUnits = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        nUnits += IsContinuation(byte) ? 0 : 1;
        nUnits += byte >= 0xF0 ? 1 : 0;  // a surrogate pair
    }
    return nUnits;
}

AfxFileTextForm DetectByteOrderMark(const unsigned char* p, std::size_t nAvailable, std::size_t* pnMarkBytes)
{
    if (nAvailable >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF) {
        *pnMarkBytes = 3;
        return AfxFileTextForm::Utf8;
    }
    if (nAvailable >= 2 && p[0] == 0xFF && p[1] == 0xFE) {
        *pnMarkBytes = 2;
        return AfxFileTextForm::Utf16Le;
    }
    if (nAvailable >= 2 && p[0] == 0xFE && p[1] == 0xFF) {
        *pnMarkBytes = 2;
        return AfxFileTextForm::Utf16Be;
    }
    *pnMarkBytes = 0;
    return AfxFileTextForm::Ansi;
}

std::size_t DecodeCharacter(AfxFileTextForm form, const unsigned char* p, std::size_t nAvailable,
                            unsigned char* pOut, int* pnOut)
{
    switch (form) {
    case AfxFileTextForm::Utf16Le:
    case AfxFileTextForm::Utf16Be:
        return DecodeUtf16(p, nAvailable, form == AfxFileTextForm::Utf16Be, pOut, pnOut);
    case AfxFileTextForm::Utf8:
        return DecodeUtf8(p, nAvailable, pOut, pnOut);
    case AfxFileTextForm::Ansi:
        break;
    }
    pOut[0] = p[0];
    *pnOut = 1;
    return 1;
}

unsigned long FoldCase(unsigned long nCodePoint)
{
    // The last run that starts at or before the code point.
    const CaseFoldingRun* pRun = std::upper_bound(
        std::begin(kCaseFoldingRuns), std::end(kCaseFoldingRuns), nCodePoint,
        [](unsigned long n, const CaseFoldingRun& run) { return n < run.nFirst; });
    if (pRun == std::begin(kCaseFoldingRuns)) {
        return nCodePoint;
    }
    --pRun;
    if (nCodePoint > pRun->nLast || (nCodePoint - pRun->nFirst) % pRun->nStep != 0) {
        return nCodePoint;
    }
    return static_cast<unsigned long>(static_cast<long>(nCodePoint) + pRun->nOffset);
}

std::string FoldCaseUtf8(const std::string& text)
{
    std::string folded;
    ForEachUtf8Piece(text, [&folded](const unsigned char* p, std::size_t nLength, bool bWellFormed) {
        if (!bWellFormed) {
            folded.append(reinterpret_cast<const char*>(p), nLength);
            return;
        }
        unsigned char encoded[kMaxDecodedCharacterBytes];
        const unsigned long nCodePoint = AfxUtf8CodePoint(reinterpret_cast<const char*>(p), static_cast<int>(nLength));
        folded.append(reinterpret_cast<const char*>(encoded),
                      static_cast<std::size_t>(EncodeUtf8(FoldCase(nCodePoint), encoded)));
    });
    return folded;
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
