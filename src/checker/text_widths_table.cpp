// The view's font as a table: the width of each ANSI byte (code page 1252) and of
// each Unicode character the font has, as scripts/measure-font-widths.sh measured
// them under Wine.
#include <algorithm>
#include <cstdint>
#include <iterator>

#include "checker/text_widths.h"
#include "ui/layout_metrics.h"

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

// tmAveCharWidth and tmHeight of the font.
constexpr int kDefaultAveCharWidth = 7;
constexpr int kDefaultLineHeight = 16;

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

}  // namespace

int CTextWidths::Width(const char* psz, int nCount, AfxTextEncoding encoding, bool bGuessNarrowest) const
{
    if (m_nUniformWidth > 0) {
        return UniformWidth(psz, nCount, encoding);
    }
    int nWidth = 0;
    for (int i = 0; i < nCount;) {
        int nLength = 1;
        if (encoding == AfxTextEncoding::Ansi) {
            nWidth += kAnsiWidths[static_cast<unsigned char>(psz[i])];
        } else {
            const int nKnown = UnicodeWidth(CodePointAt(psz + i, nCount - i, &nLength));
            nWidth += nKnown >= 0 ? nKnown : bGuessNarrowest ? 0 : kWidest;
        }
        i += nLength;
    }
    return nWidth;
}

int CTextWidths::AveCharWidth() const { return m_nUniformWidth > 0 ? m_nUniformWidth : kDefaultAveCharWidth; }

int CTextWidths::LineHeight() const { return kDefaultLineHeight; }

bool MeasuresAtDpi(int nDpi) { return nDpi == BASE_DPI; }

// Wine's at 96 DPI: a 475 by 350 frame has a client area of 465 by 321.
WindowFrameMetrics SystemFrameMetrics(int) { return WindowFrameMetrics{10, 29, 16}; }

const char* CTextWidths::FirstGuess(const char* psz, AfxTextEncoding encoding) const
{
    if (m_nUniformWidth > 0 || encoding == AfxTextEncoding::Ansi) {
        return nullptr;
    }
    for (const char* p = psz; *p != '\0';) {
        int nLength = 1;
        if (UnicodeWidth(CodePointAt(p, 4, &nLength)) < 0) {
            return p;
        }
        p += nLength;
    }
    return nullptr;
}
