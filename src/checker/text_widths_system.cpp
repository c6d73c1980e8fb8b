// The checker on Windows measures as the launcher's view does: through the system's
// text extents (and the launcher's kept character widths) in the font every device
// context starts with, which the screen's context has too; Uniscribe finds the breaks.
#include "checker/text_widths.h"
#include "afx/dc.h"

namespace {

const CDC& ScreenDC()
{
    static const CScreenDC dc;
    return dc;
}

TextMetrics FontMetrics()
{
    TextMetrics metrics;
    ScreenDC().GetTextMetrics(&metrics);
    return metrics;
}

}  // namespace

int CTextWidths::Width(const char* psz, int nCount, AfxTextEncoding encoding, bool) const
{
    return m_nUniformWidth > 0 ? UniformWidth(psz, nCount, encoding)
                               : ScreenDC().GetTextExtent(psz, nCount, encoding).cx;
}

int CTextWidths::AveCharWidth() const { return m_nUniformWidth > 0 ? m_nUniformWidth : FontMetrics().tmAveCharWidth; }

int CTextWidths::LineHeight() const { return FontMetrics().tmHeight; }

const char* CTextWidths::FirstGuess(const char*, AfxTextEncoding) const { return nullptr; }

// The system's font follows the display; the view's size follows the scale asked.
bool MeasuresAtDpi(int) { return true; }

// The system's own, as the launcher asks for them.
SystemWindowMetrics SystemWindowMetricsAt(int nDpi) { return QuerySystemWindowMetrics(LayoutMetrics().Scaled(nDpi)); }

const UnicodeBreakFinder kCheckerBreakFinder = AfxFindUnicodeLineBreaks;
