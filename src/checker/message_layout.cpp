// The launcher's wrap, measured with a table of the default font's character widths.
#include "checker/message_layout.h"

#include "ui/layout_metrics.h"

namespace {

// Width of each byte in Wine's default font (ANSI code page 1252), as
// scripts/measure-font-widths.sh measured it with GetTextExtentPoint32.
constexpr unsigned char kDefaultFontWidths[256] = {
#include "checker/default_font_widths.inc"
};
// tmAveCharWidth of the default font.
constexpr int kDefaultAveCharWidth = 7;

}  // namespace

int CCharWidths::Width(const char* psz, int nCount) const
{
    if (m_nUniformWidth > 0) {
        return m_nUniformWidth * nCount;
    }
    int nWidth = 0;
    for (int i = 0; i < nCount; ++i) {
        nWidth += kDefaultFontWidths[static_cast<unsigned char>(psz[i])];
    }
    return nWidth;
}

int CCharWidths::AveCharWidth() const { return m_nUniformWidth > 0 ? m_nUniformWidth : kDefaultAveCharWidth; }

WrapResult WrapForView(const char* pszText, const CCharWidths& widths)
{
    const TextWidthFunction measure = [&widths](const char* psz, int nCount) { return widths.Width(psz, nCount); };
    return WrapMessageText(pszText, kViewClientWidth, LayoutMetrics().nViewLeftMargin, widths.AveCharWidth(), measure,
                           kViewMaxLines);
}

std::string FormatPreview(const std::string& message, const CCharWidths& widths)
{
    const WrapResult wrapped = WrapForView(message.c_str(), widths);
    std::string out;
    for (std::size_t i = 0; i < wrapped.lines.size(); ++i) {
        if (i > 0 && i % kViewVisibleLines == 0) {
            out += "-- page " + std::to_string(i / kViewVisibleLines + 1) + " (scrolled to) --\n";
        }
        const std::string& line = wrapped.lines[i];
        out.append(line, 0, line.find_last_not_of(' ') + 1);
        out += '\n';
    }
    if (wrapped.limitHit) {
        out += "-- \"Maximum number of view lines exceeded\": the rest is not shown --\n";
    }
    return out;
}
