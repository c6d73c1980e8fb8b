// The checker on Windows finds graphemes and line breaks as the launcher does,
// through the system's text engine.
#include "checker/text_widths.h"

const UnicodeBreakFinder kCheckerBreakFinder = AfxFindUnicodeLineBreaks;
