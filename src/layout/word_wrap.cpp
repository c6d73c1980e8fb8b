// The message view's word wrap, measuring stretches of text rather than characters.
//
// Measuring is the costly step (a call into the platform per string), so the wrap
// takes its decisions from as few widths as it can while storing exactly the lines
// that a test of every character, and of every trailing space, would give.
//
// The current line is always a stretch of the message that begins at the line start,
// and the string tested for each of its characters is that stretch with the rest of
// a word and the word's delimiter: a prefix of the text from the line start. Two
// properties of the width function make the savings sound:
//  - the width depends on the measured bytes alone, so every character of a word
//    is tested on the very same string and the first character's answer holds for
//    the whole word and for the space after it;
//  - the width never shrinks when a string grows by a byte, so once a prefix fits,
//    every shorter one fits, and once one is too wide, every longer one is too.
// A line's end is therefore found by a search over the word ends ahead of it: the
// word end near where the widths seen so far say the line fills up is measured
// first, then the search steps back or on. A long word is settled by a prefix a
// little longer than a line. The trailing spaces of a line are counted the same
// way, starting from the count that the width of one space predicts. The widths are
// never assumed to add up character by character: where they do (the platform's
// text extent of its default font), the first guesses are simply right.
//
// Only whole characters are measured, so a character of several bytes is never
// measured in part. A piece too wide for a line of its own is cut, where the breaks
// ask for it, by the same kind of search over its characters.
#include "layout/word_wrap.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <limits>

namespace {

using Count = std::int64_t;
using Pixels = std::int64_t;

// The smallest k in (below, above] for which isReached(k) holds, given that it does
// not hold at below, holds at above and, once it holds, holds for every larger k.
// k = guess is tried first, then steps of 1, 2, 4... away from it, then halving:
// a right guess costs two calls.
template <typename Predicate>
Count FirstReached(Count below, Count above, Count guess, Predicate isReached)
{
    const Count first = std::clamp(guess, below + 1, above);
    if (isReached(first)) {
        above = first;
        for (Count step = 1; above - below > 1; step *= 2) {
            const Count k = std::max(above - step, below + 1);
            if (!isReached(k)) {
                below = k;
                break;
            }
            above = k;
        }
    } else {
        below = first;
        for (Count step = 1; above - below > 1; step *= 2) {
            const Count k = std::min(below + step, above - 1);
            if (isReached(k)) {
                above = k;
                break;
            }
            below = k;
        }
    }
    while (above - below > 1) {
        const Count k = below + (above - below) / 2;
        if (isReached(k)) {
            above = k;
        } else {
            below = k;
        }
    }
    return above;
}

class CWordWrapper {
public:
    CWordWrapper(const char* pszText, int nClientWidth, int nLeftMargin, int nAveCharWidth,
                 const TextWidthFunction& measure, int nMaxLines, const WrapBreaks& breaks);

    WrapResult Wrap();

private:
    unsigned char FlagsAt(Count nPos) const;
    Count ExtendLine(Count nPos);
    Count CutOverlong();
    Count WordEnd(Count nPos);
    Count CharStopFrom(Count nPos) const;
    bool IsTooWide(Count nCount);
    void MeasureStretch(Count nCount);
    Count ShortProbeCount() const;
    double ExpectedFitCount() const;
    void StartLine(Count nStart);
    bool FinishLine(Count nEnd);
    Count FillCount(Count nLength);
    Pixels MeasureLine(Count nCount);
    Pixels SpaceWidth();
    Pixels Measure(const char* psz, Count nCount) const;

    const char* m_pszText;
    Count m_nTextLength;
    Pixels m_nTextWidth;
    Pixels m_nFitLimit;
    const TextWidthFunction& m_measure;
    Count m_nMaxLines;
    const WrapBreaks& m_breaks;
    WrapResult m_result;

    // The current line is the text from m_nLineStart up to the position being tested.
    Count m_nLineStart = 0;
    // What the widths of prefixes from the line start have shown: up to m_nFitCount
    // bytes fit (m_nFitWidth pixels wide); from m_nWideCount bytes on, none does.
    Count m_nFitCount = -1;
    Pixels m_nFitWidth = 0;
    Count m_nWideCount = std::numeric_limits<Count>::max();
    // Bytes and pixels measured so far, for guessing how much text fills a line.
    Count m_nSeenCount = 0;
    Pixels m_nSeenWidth = 0;
    // Where the last search for a delimiter began and the word end it found.
    Count m_nScanFrom = 0;
    Count m_nScanEnd = 0;
    Pixels m_nSpaceWidth = 0;
    bool m_bSpaceMeasured = false;
    // The line being finished, followed by the spaces measured with it.
    std::string m_strLine;
    // The word ends gathered ahead of the line, with where each word starts.
    std::vector<Count> m_anWordStarts;
    std::vector<Count> m_anWordEnds;
    // The characters of a piece being cut, by where each ends.
    std::vector<Count> m_anCharEnds;
};

CWordWrapper::CWordWrapper(const char* pszText, int nClientWidth, int nLeftMargin, int nAveCharWidth,
                           const TextWidthFunction& measure, int nMaxLines, const WrapBreaks& breaks)
    : m_pszText(pszText != nullptr ? pszText : ""),
      // A width function takes an int count, so no more text than that can be measured.
      m_nTextLength(static_cast<Count>(std::min<std::size_t>(std::strlen(m_pszText), INT_MAX))),
      m_nTextWidth(static_cast<Pixels>(nClientWidth) - nLeftMargin),
      m_nFitLimit(m_nTextWidth - nAveCharWidth),
      m_measure(measure),
      m_nMaxLines(nMaxLines),
      m_breaks(breaks)
{
    if (nAveCharWidth > 0) {
        m_nSeenCount = 1;
        m_nSeenWidth = nAveCharWidth;
    }
}

// The caller's flags for the byte at nPos (within the text), with the newlines and
// spaces that always bound characters and words, and no break inside a character.
unsigned char CWordWrapper::FlagsAt(Count nPos) const
{
    const std::size_t i = static_cast<std::size_t>(nPos);
    unsigned char flags = m_breaks.pFlags != nullptr && i < m_breaks.nFlags ? m_breaks.pFlags[i] : WRAP_CHAR_STOP;
    const char previous = i > 0 ? m_pszText[i - 1] : '\0';
    if (i == 0 || m_pszText[i] == '\n' || previous == '\n') {
        flags |= WRAP_CHAR_STOP;
    }
    if (previous == ' ' || previous == '\n') {
        flags |= WRAP_BREAK_BEFORE;
    }
    return (flags & WRAP_CHAR_STOP) != 0 ? flags : 0;
}

WrapResult CWordWrapper::Wrap()
{
    Count nPos = 0;
    for (;;) {
        Count nStop = ExtendLine(nPos);
        if (m_breaks.bCutOverlong && nStop == m_nLineStart && nStop < m_nTextLength && m_pszText[nStop] != '\n') {
            nStop = CutOverlong();
        }
        if (nStop == m_nTextLength) {
            if (nStop > m_nLineStart) {
                FinishLine(nStop);
            }
            break;
        }
        if (!FinishLine(nStop)) {
            break;
        }
        if (m_pszText[nStop] == '\n') {
            // A newline is dropped.
            StartLine(nStop + 1);
            nPos = nStop + 1;
        } else if (m_breaks.bCutOverlong) {
            // The word that did not fit is tried again on a line of its own.
            StartLine(nStop);
            nPos = nStop;
        } else {
            // The character that did not fit begins the next line.
            StartLine(nStop);
            nPos = CharStopFrom(nStop + 1);
        }
    }
    return std::move(m_result);
}

// Appends to the current line from nPos on, as far as the line may grow, and
// returns where it stops: a word or space that does not fit, a newline or the end.
Count CWordWrapper::ExtendLine(Count nPos)
{
    while (nPos < m_nTextLength && m_pszText[nPos] != '\n') {
        // Gather the word ends up to the first one expected not to fit, or up to the
        // newline or the end of the text.
        const double expected = ExpectedFitCount();
        m_anWordStarts.clear();
        m_anWordEnds.clear();
        Count nNext = nPos;
        do {
            const Count nEnd = WordEnd(nNext);
            m_anWordStarts.push_back(nNext);
            m_anWordEnds.push_back(nEnd);
            nNext = m_pszText[nEnd - 1] == '\n' ? nEnd - 1 : nEnd;
        } while (nNext < m_nTextLength && m_pszText[nNext] != '\n' &&
                 static_cast<double>(m_anWordEnds.back() - m_nLineStart) <= expected);

        const Count nWords = static_cast<Count>(m_anWordEnds.size());
        const Count nFirstTooWide = FirstReached(-1, nWords, nWords - 1, [&](Count k) {
            return k == nWords || IsTooWide(m_anWordEnds[k] - m_nLineStart);
        });
        if (nFirstTooWide < nWords) {
            return m_anWordStarts[nFirstTooWide];
        }
        nPos = nNext;
    }
    return nPos;
}

// The line starts a piece that is too wide even alone: the most of its characters
// that fit, but at least one. Returns where the line ends.
Count CWordWrapper::CutOverlong()
{
    // Only characters that end before the shortest stretch known to be too wide can fit.
    const Count nWordEnd = WordEnd(m_nLineStart);
    const Count nBound = m_nLineStart + std::min(m_nWideCount, nWordEnd - m_nLineStart);
    // The search begins at the last character expected to fit.
    const double expected = ExpectedFitCount();
    Count nGuess = 0;
    m_anCharEnds.clear();
    for (Count nEnd = CharStopFrom(m_nLineStart + 1); nEnd < nBound; nEnd = CharStopFrom(nEnd + 1)) {
        m_anCharEnds.push_back(nEnd);
        nGuess += static_cast<double>(nEnd - m_nLineStart) <= expected ? 1 : 0;
    }
    const Count nChars = static_cast<Count>(m_anCharEnds.size());
    const Count nFirstTooWide = FirstReached(-1, nChars, nGuess, [&](Count k) {
        return k == nChars || IsTooWide(m_anCharEnds[k] - m_nLineStart);
    });
    return nFirstTooWide > 0 ? m_anCharEnds[nFirstTooWide - 1] : CharStopFrom(m_nLineStart + 1);
}

// Where the rest of the word at nPos ends: the next place a line may break, or the
// end of the text.
Count CWordWrapper::WordEnd(Count nPos)
{
    // A word broken over many lines is looked up again from each of its characters.
    if (nPos < m_nScanFrom || nPos >= m_nScanEnd) {
        Count nEnd = nPos + 1;
        while (nEnd < m_nTextLength && (FlagsAt(nEnd) & WRAP_BREAK_BEFORE) == 0) {
            ++nEnd;
        }
        m_nScanFrom = nPos;
        m_nScanEnd = nEnd;
    }
    return m_nScanEnd;
}

// The first character boundary at or after nPos; the end of the text is one.
Count CWordWrapper::CharStopFrom(Count nPos) const
{
    while (nPos < m_nTextLength && (FlagsAt(nPos) & WRAP_CHAR_STOP) == 0) {
        ++nPos;
    }
    return std::min(nPos, m_nTextLength);
}

// Whether the first nCount bytes from the line start measure at least the fit limit.
bool CWordWrapper::IsTooWide(Count nCount)
{
    if (nCount > m_nFitCount && nCount < m_nWideCount) {
        // A prefix a little longer than a line is usually too wide already, and
        // then so is the whole long word, without measuring all of it.
        const Count nShort = ShortProbeCount();
        if (nShort > m_nFitCount && nShort < nCount) {
            const Count nWhole = CharStopFrom(m_nLineStart + nShort) - m_nLineStart;
            if (nWhole < nCount) {
                MeasureStretch(nWhole);
            }
        }
    }
    if (nCount > m_nFitCount && nCount < m_nWideCount) {
        MeasureStretch(nCount);
    }
    return nCount >= m_nWideCount;
}

void CWordWrapper::MeasureStretch(Count nCount)
{
    const Pixels nWidth = Measure(m_pszText + m_nLineStart, nCount);
    m_nSeenCount += nCount;
    m_nSeenWidth += std::max<Pixels>(nWidth, 0);
    if (nWidth < m_nFitLimit) {
        m_nFitCount = nCount;
        m_nFitWidth = nWidth;
    } else {
        m_nWideCount = nCount;
    }
}

// A quarter more than the bytes expected to fill a line; no count at all (the
// largest) when that is unknown or beyond the text.
Count CWordWrapper::ShortProbeCount() const
{
    const double expected = ExpectedFitCount();
    if (!(expected < static_cast<double>(m_nTextLength))) {
        return std::numeric_limits<Count>::max();
    }
    return static_cast<Count>(expected * 1.25) + 2;
}

// How many bytes from the line start are expected to reach the fit limit, at the
// average width per byte measured so far; infinite while nothing has had a width.
double CWordWrapper::ExpectedFitCount() const
{
    if (m_nFitLimit <= 0) {
        return 0;
    }
    if (m_nSeenWidth <= 0) {
        return std::numeric_limits<double>::infinity();
    }
    return static_cast<double>(m_nFitLimit) * static_cast<double>(m_nSeenCount) /
           static_cast<double>(m_nSeenWidth);
}

void CWordWrapper::StartLine(Count nStart)
{
    // A line that begins where the last one did tests the same prefixes again.
    if (nStart == m_nLineStart) {
        return;
    }
    m_nLineStart = nStart;
    m_nFitCount = -1;
    m_nFitWidth = 0;
    m_nWideCount = std::numeric_limits<Count>::max();
}

// Stores the text from the line start to nEnd with its trailing spaces; returns 0,
// storing nothing, when the line limit is reached.
bool CWordWrapper::FinishLine(Count nEnd)
{
    if (static_cast<Count>(m_result.lines.size()) >= m_nMaxLines) {
        m_result.limitHit = true;
        return false;
    }
    const Count nLength = nEnd - m_nLineStart;
    m_strLine.assign(m_pszText + m_nLineStart, static_cast<std::size_t>(nLength));
    const Count nSpaces = FillCount(nLength);
    m_strLine.resize(static_cast<std::size_t>(nLength + nSpaces), ' ');
    m_result.lines.push_back(m_strLine);
    return true;
}

// The fewest spaces after the nLength bytes of m_strLine that make it measure at
// least the text width, but no more than the text width has pixels.
Count CWordWrapper::FillCount(Count nLength)
{
    const Count nMost = std::max<Count>(0, std::min<Count>(m_nTextWidth, INT_MAX - nLength));
    if (nMost == 0) {
        return 0;
    }
    const Pixels nLineWidth = m_nFitCount == nLength ? m_nFitWidth : MeasureLine(nLength);
    if (nLineWidth >= m_nTextWidth) {
        return 0;
    }
    const Pixels nSpaceWidth = SpaceWidth();
    const Count nGuess =
        nSpaceWidth > 0 ? (m_nTextWidth - nLineWidth + nSpaceWidth - 1) / nSpaceWidth : nMost;
    return FirstReached(0, nMost, nGuess, [&](Count k) {
        return k == nMost || MeasureLine(nLength + k) >= m_nTextWidth;
    });
}

// Width of the first nCount bytes of m_strLine, spaces appended as needed.
Pixels CWordWrapper::MeasureLine(Count nCount)
{
    if (static_cast<Count>(m_strLine.size()) < nCount) {
        m_strLine.resize(static_cast<std::size_t>(nCount), ' ');
    }
    return Measure(m_strLine.data(), nCount);
}

Pixels CWordWrapper::SpaceWidth()
{
    if (!m_bSpaceMeasured) {
        m_nSpaceWidth = Measure(" ", 1);
        m_bSpaceMeasured = true;
    }
    return m_nSpaceWidth;
}

Pixels CWordWrapper::Measure(const char* psz, Count nCount) const
{
    return m_measure(psz, static_cast<int>(nCount));
}

}  // namespace

WrapResult WrapMessageText(const char* pszText, int nClientWidth, int nLeftMargin, int nAveCharWidth,
                           const TextWidthFunction& measure, int nMaxLines, const WrapBreaks& breaks)
{
    return CWordWrapper(pszText, nClientWidth, nLeftMargin, nAveCharWidth, measure, nMaxLines, breaks).Wrap();
}
