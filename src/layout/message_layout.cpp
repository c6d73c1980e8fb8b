// The message's layout: character stops and breaks by encoding, then the wrap.
#include "layout/message_layout.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>

static_assert(AFX_CHAR_STOP == WRAP_CHAR_STOP && AFX_BREAK_BEFORE == WRAP_BREAK_BEFORE,
              "the platform's break flags are the wrap's");

namespace {

// Every character a stop, with no breaks of its own: the break after a space is the wrap's.
void MarkCharacters(const char* pszText, int nLength, AfxTextEncoding encoding, unsigned char* pFlags)
{
    for (int i = 0; i < nLength;) {
        pFlags[i] = AFX_CHAR_STOP;
        // An ASCII byte is a character of its own in either encoding, without asking.
        i += static_cast<unsigned char>(pszText[i]) < 0x80 ? 1 : AfxCharLength(pszText + i, encoding);
    }
}

}  // namespace

WrapResult LayOutMessage(const char* pszText, AfxTextEncoding encoding, const MessageGeometry& geometry,
                         const TextWidthFunction& measure, UnicodeBreakFinder findBreaks)
{
    const int nLength =
        pszText != nullptr ? static_cast<int>(std::min<std::size_t>(std::strlen(pszText), INT_MAX)) : 0;
    const std::unique_ptr<unsigned char[]> flags(new unsigned char[static_cast<std::size_t>(nLength)]());
    const bool bUnicode = encoding == AfxTextEncoding::Utf8;
    if (!bUnicode || !findBreaks(pszText, nLength, flags.get())) {
        MarkCharacters(pszText, nLength, encoding, flags.get());
    }
    const WrapBreaks breaks{flags.get(), static_cast<std::size_t>(nLength), bUnicode};
    return WrapMessageText(pszText, geometry.nClientWidth, geometry.nLeftMargin, geometry.nAveCharWidth, measure,
                           MAX_VIEW_LINES, breaks);
}
