// The checker's view: the launcher's layout function with the checker's widths and
// break finder.
#include "checker/view_model.h"

#include "ui/layout_metrics.h"

ViewLayout LayOutForView(const char* pszText, AfxTextEncoding encoding, const CTextWidths& widths)
{
    const TextWidthFunction measure = [&widths, encoding](const char* psz, int nCount) {
        return widths.Width(psz, nCount, encoding);
    };
    const MessageGeometry geometry{kViewClientWidth, LayoutMetrics().nViewLeftMargin, widths.AveCharWidth()};
    ViewLayout layout;
    layout.wrapped = LayOutMessage(pszText, encoding, geometry, measure, kCheckerBreakFinder);
    layout.pGuessed = pszText != nullptr ? widths.FirstGuess(pszText, encoding) : nullptr;
    return layout;
}

std::string FormatPreview(const std::string& message, AfxTextEncoding encoding, const CTextWidths& widths)
{
    const WrapResult wrapped = LayOutForView(message.c_str(), encoding, widths).wrapped;
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
