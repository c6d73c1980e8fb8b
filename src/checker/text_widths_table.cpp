// The view's font as a table: the width of each ANSI byte (code page 1252) and of
// each Unicode character the font has, with the font's metrics and the launcher
// window's system metrics, as scripts/measure-font-widths.sh measured them under Wine.
#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>
#include <unordered_map>

#include "afx/unicode_text.h"
#include "checker/text_widths.h"
#include "backend/console/console_system.h"
#include "layout/layout_metrics.h"

namespace {

constexpr unsigned char kAnsiWidths[256] = {
#include "checker/default_font_widths.inc"
};

// Characters first to last, all of one width; in order, none overlapping.
struct WidthRun {
    std::uint32_t nFirst;
    std::uint32_t nLast;
    int nWidth;
};

constexpr WidthRun kUnicodeWidths[] = {
#include "checker/default_font_unicode_widths.inc"
};

// The font's metrics and what the system takes of the launcher's windows, measured
// together with the widths.
struct MeasuredWindow {
    int nAveCharWidth;  // tmAveCharWidth
    int nLineHeight;    // tmHeight
    SystemWindowMetrics system;
};

constexpr MeasuredWindow kMeasured = {
#include "checker/default_window_metrics.inc"
};

constexpr int Widest()
{
    int nWidest = 0;
    for (const unsigned char nWidth : kAnsiWidths) {
        nWidest = std::max<int>(nWidest, nWidth);
    }
    for (const WidthRun& run : kUnicodeWidths) {
        nWidest = std::max(nWidest, run.nWidth);
    }
    return nWidest;
}

constexpr int kWidest = Widest();

// The width of a Unicode character; -1 when the table does not have it.
int UnicodeWidth(std::uint32_t c)
{
    const auto it = std::upper_bound(std::begin(kUnicodeWidths), std::end(kUnicodeWidths), c,
                                     [](std::uint32_t n, const WidthRun& run) { return n < run.nFirst; });
    if (it == std::begin(kUnicodeWidths) || std::prev(it)->nLast < c) {
        return -1;
    }
    return std::prev(it)->nWidth;
}

// The UTF-8 character at p, up to the end of a text of nCount bytes, and its length.
std::uint32_t CodePointAt(const char* p, int nCount, int* pnLength)
{
    *pnLength = std::min(AfxCharLength(p, AfxTextEncoding::Utf8), nCount);
    return AfxUtf8CodePoint(p, *pnLength);
}

// The code page of the ANSI table's bytes.
constexpr unsigned kTableCodePage = 1252;

// The width of the ANSI character at p, up to the end of a text of nCount bytes, in
// a code page other than the table's: that of the same character in the Unicode
// table, -1 when the table lacks it or the code page has no such character. Its
// length in *pnLength.
int CodePageCharWidth(unsigned nCodePage, const char* p, int nCount, int* pnLength)
{
    *pnLength = std::min(AfxCharLength(p, AfxTextEncoding::Ansi), nCount);
    const unsigned char nFirst = static_cast<unsigned char>(p[0]);
    if (nFirst < 0x80) {
        return UnicodeWidth(nFirst);  // ASCII in every code page
    }
    // Each character converted once: the wrap measures the same ones again and again.
    static std::unordered_map<std::uint32_t, int> s_widths;
    const unsigned nBytes = *pnLength > 1 ? nFirst << 8 | static_cast<unsigned char>(p[1]) : nFirst;
    const std::uint32_t key = static_cast<std::uint32_t>(nCodePage) << 16 | nBytes;
    const auto known = s_widths.find(key);
    if (known != s_widths.end()) {
        return known->second;
    }
    const std::string utf8 = ConsoleCodePageToUtf8(std::string(p, static_cast<std::size_t>(*pnLength)));
    int nLength = 0;
    const std::uint32_t c = CodePointAt(utf8.c_str(), static_cast<int>(utf8.size()), &nLength);
    // One character, not the mark of one that does not convert.
    const bool bOne = !utf8.empty() && nLength == static_cast<int>(utf8.size()) && c != 0xFFFD;
    return s_widths[key] = bOne ? UnicodeWidth(c) : -1;
}

}  // namespace

int CTextWidths::Width(const char* psz, int nCount, AfxTextEncoding encoding, bool bGuessNarrowest) const
{
    if (m_nUniformWidth > 0) {
        return UniformWidth(psz, nCount, encoding);
    }
    int nWidth = 0;
    for (int i = 0; i < nCount;) {
        int nLength = 1;
        int nKnown = 0;
        if (encoding == AfxTextEncoding::Utf8) {
            nKnown = UnicodeWidth(CodePointAt(psz + i, nCount - i, &nLength));
        } else if (m_nCodePage == kTableCodePage) {
            nKnown = kAnsiWidths[static_cast<unsigned char>(psz[i])];
        } else {
            nKnown = CodePageCharWidth(m_nCodePage, psz + i, nCount - i, &nLength);
        }
        nWidth += nKnown >= 0 ? nKnown : bGuessNarrowest ? 0 : kWidest;
        i += nLength;
    }
    return nWidth;
}

int CTextWidths::AveCharWidth() const { return m_nUniformWidth > 0 ? m_nUniformWidth : kMeasured.nAveCharWidth; }

int CTextWidths::LineHeight() const { return kMeasured.nLineHeight; }

bool MeasuresAtDpi(int nDpi) { return nDpi == BASE_DPI; }

// Measured at 96 DPI, the one scale the table holds.
SystemWindowMetrics SystemWindowMetricsAt(int) { return kMeasured.system; }

const char* CTextWidths::FirstGuess(const char* psz, AfxTextEncoding encoding) const
{
    if (m_nUniformWidth > 0 || (encoding == AfxTextEncoding::Ansi && m_nCodePage == kTableCodePage)) {
        return nullptr;
    }
    for (const char* p = psz; *p != '\0';) {
        int nLength = 1;
        const int nKnown = encoding == AfxTextEncoding::Utf8 ? UnicodeWidth(CodePointAt(p, 4, &nLength))
                                                              : CodePageCharWidth(m_nCodePage, p, 2, &nLength);
        if (nKnown < 0) {
            return p;
        }
        p += nLength;
    }
    return nullptr;
}
