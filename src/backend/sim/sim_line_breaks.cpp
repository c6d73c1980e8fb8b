// The simulated break finder, a few of the Unicode rules: combining accents,
// variation selectors and joined emoji stay with the character before them; a line
// may break before and after ideographs, kana and Hangul, and after a hyphen.
#include "afx/text.h"
#include "afx/os.h"
#include "afx/unicode_text.h"
#include "backend/sim/sim.h"
#include "backend/sim/sim_state.h"

void sim::SetBreakFinder(bool available) { TheMachine().hasBreakFinder = available; }

bool os::FindUnicodeLineBreaks(const char* pszText, int nLength, unsigned char* pFlags)
{
    const auto isWide = [](std::uint32_t c) { return c >= 0x2E80 && c <= 0xD7AF; };
    std::uint32_t previous = 0;
    for (int i = 0; i < nLength && sim::TheMachine().hasBreakFinder;) {
        const int nChar = AfxCharLength(pszText + i, AfxTextEncoding::Utf8);
        const std::uint32_t c = AfxUtf8CodePoint(pszText + i, nChar);
        const bool isJoined = (c >= 0x300 && c <= 0x36F) || (c >= 0xFE00 && c <= 0xFE0F) || c == 0x200D ||
                              previous == 0x200D || (c >= 0x1F3FB && c <= 0x1F3FF);
        const bool isBreak = previous != 0 && (isWide(c) || isWide(previous) || (previous == '-' && c > '-'));
        pFlags[i] = isJoined ? 0 : isBreak ? AFX_CHAR_STOP | AFX_BREAK_BEFORE : AFX_CHAR_STOP;
        previous = c;
        i += nChar;
    }
    return sim::TheMachine().hasBreakFinder;
}
