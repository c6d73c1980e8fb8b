// The checker's view: its size at the display scale through the launcher's own
// geometry function with the checker's system metrics, and the launcher's layout
// function with the checker's widths and break finder.
#include "checker/view_model.h"

#include <algorithm>

ViewSize ViewSizeFor(const CTextWidths& widths)
{
    const LayoutMetrics metrics = LayoutMetrics().Scaled(widths.Dpi());
    // The buttons' captions are one line of the font high, as the view's lines are.
    const int nLineHeight = std::max(widths.LineHeight(), 1);
    const ViewGeometry view =
        ComputeViewGeometry(metrics, SystemWindowMetricsAt(widths.Dpi()), nLineHeight, nLineHeight);
    ViewSize size;
    size.geometry = MessageGeometry{view.viewClient.cx, metrics.nViewLeftMargin, widths.AveCharWidth()};
    // A page of at least one line, for the preview's page marks.
    size.nVisibleLines = std::max(view.nVisibleLines, 1);
    return size;
}

ViewLayout LayOutForView(const char* pszText, AfxTextEncoding encoding, const CTextWidths& widths)
{
    const MessageGeometry geometry = ViewSizeFor(widths).geometry;
    const auto layOut = [&](bool bGuessNarrowest) {
        const TextWidthFunction measure = [&widths, encoding, bGuessNarrowest](const char* psz, int nCount) {
            return widths.Width(psz, nCount, encoding, bGuessNarrowest);
        };
        return LayOutMessage(pszText, encoding, geometry, measure, kCheckerBreakFinder);
    };
    ViewLayout layout;
    layout.wrapped = layOut(false);
    layout.pGuessed = pszText != nullptr ? widths.FirstGuess(pszText, encoding) : nullptr;
    layout.bLimitCertain = layout.wrapped.limitHit && (layout.pGuessed == nullptr || layOut(true).limitHit);
    return layout;
}

std::string FormatPreview(const std::string& message, AfxTextEncoding encoding, const CTextWidths& widths)
{
    const WrapResult wrapped = LayOutForView(message.c_str(), encoding, widths).wrapped;
    const int nPage = ViewSizeFor(widths).nVisibleLines;
    std::string out;
    for (std::size_t i = 0; i < wrapped.lines.size(); ++i) {
        if (i > 0 && i % nPage == 0) {
            out += "-- page " + std::to_string(i / nPage + 1) + " (scrolled to) --\n";
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
