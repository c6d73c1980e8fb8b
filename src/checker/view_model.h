// The launcher's message view as the checker models it: the view's size and font on
// the checker's platform, and the message laid out through the launcher's own
// layout function.
#pragma once

#include <string>

#include "checker/text_widths.h"
#include "layout/message_layout.h"

// The view's size as the launcher shows it at the widths' display scale.
struct ViewSize {
    MessageGeometry geometry;
    int nVisibleLines = 0;  // display lines shown without scrolling
};
ViewSize ViewSizeFor(const CTextWidths& widths);

struct ViewLayout {
    WrapResult wrapped;
    // The first character of the text whose width was guessed (counted as the
    // widest), or null: with one, a line count may be more than the launcher's.
    const char* pGuessed = nullptr;
    // The line limit is hit whatever the guessed widths are: also with each of
    // them taken as nothing.
    bool bLimitCertain = false;
};

// The display lines of a message text in its encoding, as the launcher lays it out.
ViewLayout LayOutForView(const char* pszText, AfxTextEncoding encoding, const CTextWidths& widths);

// The display lines of the message, each without the spaces that fill it, a mark
// before each page the reader must scroll to, and one where the launcher stops.
std::string FormatPreview(const std::string& message, AfxTextEncoding encoding, const CTextWidths& widths);
