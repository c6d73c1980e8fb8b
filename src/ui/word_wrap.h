// The message view's word wrap: message text to display lines, with no window involved.
#pragma once

#include <functional>
#include <string>
#include <vector>

// Width in pixels of the first nCount bytes of psz in the view's font, every byte
// one character (spaces and newlines included), as GetTextExtentPoint gives it.
using TextWidthFunction = std::function<int(const char* psz, int nCount)>;

struct WrapResult {
    // Each display line: the wrapped characters (never a newline), then the spaces
    // that fill it to the text width.
    std::vector<std::string> lines;
    // A line beyond nMaxLines was to be stored: it and the rest of the text were dropped.
    bool limitHit = false;
};

// Wraps pszText (null reads as an empty text) into lines drawn nLeftMargin pixels
// from the left of a client area nClientWidth wide.
//
// A character joins the current line when the line, the rest of the character's
// word and that word's delimiter (space or newline) measure less than the text
// width (nClientWidth - nLeftMargin) minus nAveCharWidth; a newline always ends the line.
// A finished line gets spaces while it measures less than the text width, but never
// more spaces than the text width has pixels: a space of at least one pixel never
// needs more, and one that measures nothing would otherwise be added forever. A
// text width of zero or less therefore gives no spaces at all.
//
// The lines depend only on these rules as long as measure is a function of the
// measured bytes alone and never gets narrower as a string gets longer; the wrap
// relies on both to measure far less often than once per character.
WrapResult WrapMessageText(const char* pszText, int nClientWidth, int nLeftMargin, int nAveCharWidth,
                           const TextWidthFunction& measure, int nMaxLines);
