// The message view's word wrap: message text to display lines, with no window involved.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// Width in pixels of the first nCount bytes of psz in the view's font (spaces and
// newlines included), as the platform's text extent gives it. The wrap measures only
// whole characters, and trailing spaces.
using TextWidthFunction = std::function<int(const char* psz, int nCount)>;

// Bits of the flag byte that goes with each byte of the text.
// A character (the unit the wrap appends, measures and cuts) begins at this byte.
constexpr unsigned char WRAP_CHAR_STOP = 1;
// A line may end before this byte.
constexpr unsigned char WRAP_BREAK_BEFORE = 2;

// Where the text may be cut. Whatever the flags say, the first byte, every newline
// and the byte after it begin a character, a line may always end after a space or a
// newline, and a break flag on a byte that begins no character is ignored.
struct WrapBreaks {
    // nFlags flag bytes for the first bytes of the text; a byte without one (every
    // byte when pFlags is null) is a character of its own with no break before it.
    const unsigned char* pFlags = nullptr;
    std::size_t nFlags = 0;
    // How a piece of text is broken that is too wide for a line even on a line of
    // its own. false: the piece begins on a fresh line, after a line of spaces when
    // it starts a line, and goes on one character per line until its rest fits.
    // true: the line takes as many of its characters as fit (at least one), and the
    // rest goes on on the next line in the same way.
    bool bCutOverlong = false;
};

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
// A word runs from a character up to the next place a line may break (breaks):
// with the default breaks, up to and including the next space or newline. A
// character joins the current line when the line and the rest of the character's
// word measure less than the text width (nClientWidth - nLeftMargin) minus nAveCharWidth; a
// newline always ends the line. A word that does not fit begins the next line and
// is broken as breaks.bCutOverlong says when it does not fit there either.
// A finished line gets spaces while it measures less than the text width, but never
// more spaces than the text width has pixels: a space of at least one pixel never
// needs more, and one that measures nothing would otherwise be added forever. A
// text width of zero or less therefore gives no spaces at all.
//
// The lines depend only on these rules as long as measure is a function of the
// measured bytes alone and never gets narrower as a string gets longer; the wrap
// relies on both to measure far less often than once per character.
WrapResult WrapMessageText(const char* pszText, int nClientWidth, int nLeftMargin, int nAveCharWidth,
                           const TextWidthFunction& measure, int nMaxLines,
                           const WrapBreaks& breaks = WrapBreaks());
