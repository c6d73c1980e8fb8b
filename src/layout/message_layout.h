// The message's layout: the display lines of the message text, found from the
// text's encoding, its characters and breaks, a measurer and the view's width. The
// message view and the script checker both lay a message out through this one
// function, each with its own way of measuring and of finding Unicode breaks.
#pragma once

#include "afx/text.h"
#include "layout/word_wrap.h"

// The most display lines the view holds.
constexpr int MAX_VIEW_LINES = 1500;

// Graphemes and line breaks of nLength bytes of UTF-8 text, as
// AfxFindUnicodeLineBreaks gives them; false when none can be found.
using UnicodeBreakFinder = bool (*)(const char* pszText, int nLength, unsigned char* pFlags);

// What the layout needs of the view, in pixels.
struct MessageGeometry {
    int nClientWidth = 0;
    int nLeftMargin = 0;
    int nAveCharWidth = 0;
};

// The display lines of pszText (null: an empty text), at most MAX_VIEW_LINES of
// them; limitHit when the view would show "Maximum number of view lines exceeded".
// ANSI text: whole characters, the double-byte ones included, breaks after spaces
// only, a piece too wide for a line set one character a line. UTF-8 text: the
// graphemes and breaks of findBreaks (whole characters and no breaks of their own
// when it finds none), a piece too wide for a line cut where it fills the line.
WrapResult LayOutMessage(const char* pszText, AfxTextEncoding encoding, const MessageGeometry& geometry,
                         const TextWidthFunction& measure, UnicodeBreakFinder findBreaks);
