// The word wrap against the plain character-by-character wrap, on random texts,
// fonts and widths: the lines and the limit must agree exactly.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "ui/message_view.h"
#include "layout/word_wrap.h"
#include "wrap_reference.h"

namespace {

using WidthTable = std::array<int, 256>;

// The kinds of width function a wrap must give the same lines for: they differ in
// how a string's width follows from its characters, but all depend on the bytes
// alone and never narrow as a string grows.
enum class FontKind {
    Additive,       // the sum of per-character widths
    Rounded,        // a sum of sixteenths of a pixel, rounded down
    Overhang,       // the sum plus a fixed overhang for any non-empty string
    PairSpacing,    // the sum plus a pixel after every pair of equal characters
    Count,
};

TextWidthFunction MakeFont(FontKind kind, const WidthTable& widths)
{
    return [kind, widths](const char* psz, int nCount) {
        const int* pWidths = widths.data();
        std::int64_t sum = 0;
        for (int i = 0; i < nCount; ++i) {
            sum += pWidths[static_cast<unsigned char>(psz[i])];
            if (kind == FontKind::PairSpacing && i > 0 && psz[i] == psz[i - 1]) {
                ++sum;
            }
        }
        if (kind == FontKind::Rounded) {
            sum /= 16;
        }
        if (kind == FontKind::Overhang && nCount > 0) {
            sum += 3;
        }
        return static_cast<int>(sum);
    };
}

class CRandomCase {
public:
    explicit CRandomCase(std::uint32_t seed) : m_random(seed) {}

    int Between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_random); }

    WidthTable Widths(FontKind kind)
    {
        const int scale = kind == FontKind::Rounded ? 16 : 1;
        WidthTable widths{};
        for (int& w : widths) {
            w = Between(0, 12 * scale);
        }
        // Zero-width characters, spaces and newlines now and then.
        for (int i = Between(0, 3); i > 0; --i) {
            widths[static_cast<unsigned char>(Between('a', 'z'))] = 0;
        }
        if (Between(0, 9) == 0) {
            widths[' '] = 0;
        }
        if (Between(0, 9) == 0) {
            widths['\n'] = 0;
        }
        return widths;
    }

    std::string Text()
    {
        std::string text;
        const int nTokens = Between(0, 40);
        for (int t = 0; t < nTokens; ++t) {
            const int kind = Between(0, 19);
            if (kind < 2) {
                for (int n = Between(1, 30); n > 0; --n) {  // three-byte characters
                    text += {static_cast<char>(Between(0xE4, 0xE9)), static_cast<char>(Between(0x80, 0xBF)),
                             static_cast<char>(Between(0x80, 0xBF))};
                }
            } else if (kind < 12) {
                text += Word(Between(1, 9));
            } else if (kind < 14) {
                text += Word(Between(10, 90));
            } else if (kind < 18) {
                text.append(static_cast<std::size_t>(Between(1, 5)), ' ');
            } else {
                text.append(static_cast<std::size_t>(Between(1, 2)), '\n');
            }
            if (kind < 14 && Between(0, 3) != 0) {
                text += Between(0, 4) == 0 ? '\n' : ' ';
            }
        }
        return text;
    }

    // No flags (each byte a character), those of UTF-8 text with a break before each
    // ideograph, or any pattern at all; now and then for part of the text only.
    std::vector<unsigned char> Breaks(const std::string& text)
    {
        const int kind = Between(0, 2);
        std::vector<unsigned char> flags;
        for (std::size_t i = 0; kind != 0 && i < text.size(); ++i) {
            const unsigned char c = static_cast<unsigned char>(text[i]);
            flags.push_back(static_cast<unsigned char>(kind == 2 ? Between(0, 3) : (c & 0xC0) == 0x80 ? 0 : c >= 0xE0 ? 3 : 1));
        }
        flags.resize(Between(0, 7) == 0 ? flags.size() / 2 : flags.size());
        return flags;
    }

private:
    std::string Word(int nLength)
    {
        static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzAMWil.,;0189-\x80\xE9\xFF";
        std::string word;
        for (int i = 0; i < nLength; ++i) {
            word += kLetters[Between(0, static_cast<int>(sizeof(kLetters)) - 2)];
        }
        return word;
    }

    std::mt19937 m_random;
};

// Whether a word of the text, with its delimiter, is at least as wide as a line
// may be while some line can still hold a few characters.
bool HasOverlongWord(const std::string& text, const TextWidthFunction& font, int nFitLimit)
{
    if (nFitLimit < 40) {
        return false;
    }
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t delimiter = text.find_first_of(" \n", start);
        const std::size_t end = delimiter == std::string::npos ? text.size() : delimiter + 1;
        if (font(text.data() + start, static_cast<int>(end - start)) >= nFitLimit) {
            return true;
        }
        start = end;
    }
    return false;
}

TEST(WordWrapDifferential, AgreesWithTheCharacterByCharacterWrap)
{
    constexpr int kCases = 2000;
    CRandomCase random(20240611u);
    int nIdentical = 0;
    int nLimitHits = 0;
    int nBrokenWords = 0;  // cases with a word that must be broken over lines
    for (int i = 0; i < kCases; ++i) {
        const FontKind kind = static_cast<FontKind>(i % static_cast<int>(FontKind::Count));
        const TextWidthFunction font = MakeFont(kind, random.Widths(kind));
        const std::string text = random.Text();
        const int nClientWidth = random.Between(-40, 400);
        const int nLeftMargin = random.Between(0, 40);
        const int nAveWidth = random.Between(-5, 20);
        const int nMaxLines = random.Between(0, 3) == 0 ? random.Between(0, 30) : MAX_VIEW_LINES;
        const std::vector<unsigned char> flags = random.Breaks(text);
        const WrapBreaks breaks{flags.data(), flags.size(), random.Between(0, 1) == 1};

        const WrapResult expected =
            ReferenceWrapMessageText(text.c_str(), nClientWidth, nLeftMargin, nAveWidth, font, nMaxLines, breaks);
        const WrapResult actual = WrapMessageText(text.c_str(), nClientWidth, nLeftMargin, nAveWidth, font, nMaxLines, breaks);
        const bool identical = actual.lines == expected.lines && actual.limitHit == expected.limitHit;
        EXPECT_TRUE(identical) << "case " << i << ", font kind " << static_cast<int>(kind) << ", client width "
                               << nClientWidth << ", margin " << nLeftMargin << ", average width " << nAveWidth << ", " << flags.size()
                               << " flags, cut " << breaks.bCutOverlong << ", text \"" << text << "\"";
        nIdentical += identical ? 1 : 0;
        nLimitHits += expected.limitHit ? 1 : 0;
        nBrokenWords += HasOverlongWord(text, font, nClientWidth - nLeftMargin - nAveWidth) ? 1 : 0;
    }
    EXPECT_EQ(nIdentical, kCases);
    // The random cases reach the line limit and break words often enough to matter.
    EXPECT_GT(nLimitHits, kCases / 10);
    EXPECT_GT(nBrokenWords, kCases / 10);
}

// A width function that is neither monotonic nor repeatable still gives a wrap
// that ends, keeps to the line limit and loses no character.
TEST(WordWrapDifferential, ArbitraryWidthsStaySafe)
{
    CRandomCase random(7u);
    std::mt19937 noise(11u);
    const TextWidthFunction erratic = [&noise](const char*, int nCount) {
        return std::uniform_int_distribution<int>(-50, 300)(noise) + (nCount % 7);
    };
    for (int i = 0; i < 500; ++i) {
        const std::string text = random.Text();
        const std::vector<unsigned char> flags = random.Breaks(text);
        const WrapBreaks breaks{flags.data(), flags.size(), random.Between(0, 1) == 1};
        const WrapResult result = WrapMessageText(text.c_str(), random.Between(-40, 400), 20, random.Between(-5, 20),
                                                  erratic, MAX_VIEW_LINES, breaks);
        ASSERT_LE(result.lines.size(), static_cast<std::size_t>(MAX_VIEW_LINES));
        std::string wrapped;
        for (const std::string& line : result.lines) {
            EXPECT_EQ(line.find('\n'), std::string::npos);
            EXPECT_LE(line.size(), text.size() + 400);
            wrapped += line;
        }
        if (!result.limitHit) {
            std::string printable;
            for (char c : text) {
                if (c != ' ' && c != '\n') {
                    printable += c;
                }
            }
            std::string shown;
            for (char c : wrapped) {
                if (c != ' ') {
                    shown += c;
                }
            }
            EXPECT_EQ(shown, printable);
        }
    }
}

// The reason for the wrap's search: on ordinary prose it needs a small fraction of
// the measurements of the character-by-character wrap.
TEST(WordWrapDifferential, MeasuresFarLessOftenThanOncePerCharacter)
{
    WidthTable widths{};
    widths.fill(7);
    widths[' '] = 4;
    widths['i'] = widths['l'] = 3;
    widths['m'] = widths['w'] = 11;
    long nCalls = 0;
    const TextWidthFunction base = MakeFont(FontKind::Additive, widths);
    const TextWidthFunction counted = [&](const char* psz, int nCount) {
        ++nCalls;
        return base(psz, nCount);
    };
    std::string text;
    CRandomCase random(3u);
    while (text.size() < 20000) {
        text += random.Text();
        text += '\n';
    }

    const WrapResult expected = ReferenceWrapMessageText(text.c_str(), 447, 20, 7, counted, MAX_VIEW_LINES);
    const long nReferenceCalls = nCalls;
    nCalls = 0;
    const WrapResult actual = WrapMessageText(text.c_str(), 447, 20, 7, counted, MAX_VIEW_LINES);
    EXPECT_EQ(actual.lines, expected.lines);
    EXPECT_LT(nCalls * 10, nReferenceCalls) << nCalls << " against " << nReferenceCalls;
}

}  // namespace
