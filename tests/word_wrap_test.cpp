// The word wrap of the message view: where lines break, how they are filled, the
// line limit, and safety with degenerate metrics and fonts.
#include <gtest/gtest.h>

#include <climits>
#include <ostream>
#include <string>
#include <vector>

#include "ui/message_view.h"
#include "layout/word_wrap.h"

namespace {

// Every character 10 pixels, average 10, client 130: text width 110, fit limit 100.
const TextWidthFunction kTenPixels = [](const char*, int nCount) { return 10 * nCount; };
constexpr int kClientWidth = 130;
constexpr int kLeftMargin = 20;
constexpr int kAveWidth = 10;
constexpr std::size_t kFilledLength = 11;

WrapResult WrapTen(const char* pszText, int nMaxLines = MAX_VIEW_LINES)
{
    return WrapMessageText(pszText, kClientWidth, kLeftMargin, kAveWidth, kTenPixels, nMaxLines);
}

std::vector<std::string> Filled(std::vector<std::string> lines)
{
    for (std::string& line : lines) {
        if (line.size() < kFilledLength) {
            line.resize(kFilledLength, ' ');
        }
    }
    return lines;
}

struct WrapCase {
    const char* name;
    const char* text;
    std::vector<std::string> lines;  // before their fill to 11 characters
};

const WrapCase kWrapCases[] = {
    {"WordsMoveWhole", "hello world foo bar\n", {"hello ", "world ", "foo bar"}},
    {"FourWordsFitWithTheirSpaces", "a b c d e f g h i j k\n", {"a b c d ", "e f g h ", "i j k"}},
    {"SpacesThatFitStayTheRestBeginTheNextLine", "aaaaaaa    bb\n", {"aaaaaaa  ", "  bb"}},
    {"LongWordAtStartBreaksAfterALineOfSpaces", "1234567890\n", {"", "1", "2", "34567890"}},
    {"LongWordAfterAWordBreaksWithoutALineOfSpaces", "ab 1234567890\n", {"ab ", "1", "2", "34567890"}},
    {"EightLettersAndNewlineFit", "abcdefgh\n", {"abcdefgh"}},
    {"NineLettersAndNewlineReachTheLimit", "abcdefghi\n", {"", "a", "bcdefghi"}},
    {"TwoNewlinesGiveALineOfSpaces", "abc\n\nabc\n", {"abc", "", "abc"}},
    {"LeadingNewlineGivesALineOfSpaces", "\nabc\n", {"", "abc"}},
    {"LastLineWithoutNewlineIsShown", "word", {"word"}},
    {"NewlineAtTheEndAddsNoLine", "word\n", {"word"}},
    {"SpaceOnlyWordAtTheEnd", "ab   ", {"ab   "}},
    {"TrailingSpacesBeyondTheFitLimitWrap", "abcdefgh    \n", {"abcdefgh ", "   "}},
    {"EmptyText", "", {}},
};

void PrintTo(const WrapCase& c, std::ostream* os)
{
    *os << c.name;
}

class WrapTenPixelFont : public testing::TestWithParam<WrapCase> {};

TEST_P(WrapTenPixelFont, GivesTheExpectedLines)
{
    const WrapResult result = WrapTen(GetParam().text);
    EXPECT_EQ(result.lines, Filled(GetParam().lines));
    EXPECT_FALSE(result.limitHit);
}

INSTANTIATE_TEST_SUITE_P(Cases, WrapTenPixelFont, testing::ValuesIn(kWrapCases),
                         [](const testing::TestParamInfo<WrapCase>& info) { return std::string(info.param.name); });

TEST(WordWrap, AbsentTextIsEmpty)
{
    const WrapResult result = WrapTen(nullptr);
    EXPECT_TRUE(result.lines.empty());
    EXPECT_FALSE(result.limitHit);
}

std::string Repeated(const std::string& piece, int nTimes)
{
    std::string text;
    for (int i = 0; i < nTimes; ++i) {
        text += piece;
    }
    return text;
}

// UTF-8 text with a break before each ideograph (3 bytes, 30 pixels); a piece too
// wide for a line is cut after its last character that fits.
TEST(WordWrap, IdeographsFillLinesAndOverlongPiecesAreCut)
{
    const std::string kanji = "\xE6\xBC\xA2";
    const struct {
        std::string text;
        std::vector<std::string> lines;
    } cases[] = {
        {"ab" + Repeated(kanji, 6) + "\n", {"ab" + Repeated(kanji, 2), Repeated(kanji, 3), kanji}},
        {"ab 1234567890123 c\n", {"ab ", "123456789", "0123 c"}},
    };
    for (const auto& c : cases) {
        std::vector<unsigned char> flags;
        for (const char b : c.text) {
            const bool isLead = (b & 0xE0) == 0xE0;
            flags.push_back((b & 0xC0) == 0x80 ? 0 : isLead ? WRAP_CHAR_STOP | WRAP_BREAK_BEFORE : WRAP_CHAR_STOP);
        }
        const WrapBreaks breaks{flags.data(), flags.size(), true};
        const WrapResult result =
            WrapMessageText(c.text.c_str(), kClientWidth, kLeftMargin, kAveWidth, kTenPixels, MAX_VIEW_LINES, breaks);
        EXPECT_EQ(result.lines, Filled(c.lines)) << c.text;
    }
}

TEST(WordWrap, LineLimit)
{
    struct {
        std::string text;
        bool limitHit;
        std::string lastLine;
    } const cases[] = {
        {Repeated("x\n", 1500), false, "x"},
        {Repeated("x\n", 1499) + "y", false, "y"},
        {Repeated("x\n", 1500) + "y", true, "x"},
        {Repeated("x\n", 1499) + "y\nz\n", true, "y"},
        {Repeated("x\n", 5000), true, "x"},
    };
    for (const auto& c : cases) {
        const WrapResult result = WrapTen(c.text.c_str());
        ASSERT_EQ(result.lines.size(), 1500u);
        EXPECT_EQ(result.limitHit, c.limitHit);
        EXPECT_EQ(result.lines.back(), Filled({c.lastLine})[0]);
    }
}

TEST(WordWrap, LimitCountsLinesOfSpacesAndBrokenWords)
{
    const WrapResult result = WrapTen("1234567890\n", 3);
    EXPECT_EQ(result.lines, Filled({"", "1", "2"}));
    EXPECT_TRUE(result.limitHit);
    EXPECT_TRUE(WrapTen("abc", 0).limitHit);
}

TEST(WordWrap, NarrowCharactersMakeLinesLongerThanTwiceTheAverageCount)
{
    const TextWidthFunction onePixel = [](const char*, int nCount) { return nCount; };
    const std::string text = Repeated("i ", 100) + "\n";
    const WrapResult result = WrapMessageText(text.c_str(), kClientWidth, kLeftMargin, kAveWidth, onePixel, MAX_VIEW_LINES);
    ASSERT_EQ(result.lines.size(), 3u);
    // 98 characters fit (98 + "i " stays under 100); spaces fill to 110 pixels.
    EXPECT_EQ(result.lines[0], Repeated("i ", 49) + std::string(12, ' '));
    EXPECT_EQ(result.lines[2], Repeated("i ", 2) + std::string(106, ' '));
}

TEST(WordWrap, LongWordOfNarrowCharactersKeepsItsTail)
{
    const TextWidthFunction onePixel = [](const char*, int nCount) { return nCount; };
    const std::string word(300, 'w');
    const WrapResult result =
        WrapMessageText((word + "\n").c_str(), kClientWidth, kLeftMargin, kAveWidth, onePixel, MAX_VIEW_LINES);
    // A line of spaces, then one character a line until the rest with its newline
    // measures 99: 202 single characters, then 98.
    ASSERT_EQ(result.lines.size(), 1u + 202u + 1u);
    EXPECT_EQ(result.lines[0], std::string(110, ' '));
    EXPECT_EQ(result.lines[1], "w" + std::string(109, ' '));
    EXPECT_EQ(result.lines.back(), std::string(98, 'w') + std::string(12, ' '));
}

TEST(WordWrap, FillStopsAtTheTextWidthInSpacesWhenSpacesMeasureNothing)
{
    const TextWidthFunction noSpaceWidth = [](const char* psz, int nCount) {
        int width = 0;
        for (int i = 0; i < nCount; ++i) {
            width += psz[i] == ' ' ? 0 : 10;
        }
        return width;
    };
    const WrapResult result = WrapMessageText("ab cd\n", kClientWidth, kLeftMargin, kAveWidth, noSpaceWidth, MAX_VIEW_LINES);
    ASSERT_EQ(result.lines.size(), 1u);
    EXPECT_EQ(result.lines[0], "ab cd" + std::string(110, ' '));

    const TextWidthFunction nothing = [](const char*, int) { return 0; };
    const WrapResult empty = WrapMessageText("\n\n", kClientWidth, kLeftMargin, kAveWidth, nothing, MAX_VIEW_LINES);
    EXPECT_EQ(empty.lines, std::vector<std::string>(2, std::string(110, ' ')));
}

TEST(WordWrap, DegenerateMetricsNeitherDivideNorLoop)
{
    struct {
        int nClientWidth;
        int nAveWidth;
        std::vector<std::string> lines;
    } const cases[] = {
        // Nothing fits, and a text width of 0 or less gets no fill.
        {10, 10, {"", "a", "b", " ", "c"}},
        {20, 0, {"", "a", "b", " ", "c"}},
        {INT_MIN, INT_MAX, {"", "a", "b", " ", "c"}},
        {INT_MIN, INT_MIN, {"", "a", "b", " ", "c"}},
        // An average width of 0 or less only widens the fit limit.
        {kClientWidth, 0, Filled({"ab c"})},
        {kClientWidth, INT_MIN, Filled({"ab c"})},
        {kClientWidth, INT_MAX, Filled({"", "a", "b", " ", "c"})},
    };
    for (const auto& c : cases) {
        const WrapResult result = WrapMessageText("ab c\n", c.nClientWidth, kLeftMargin, c.nAveWidth, kTenPixels, MAX_VIEW_LINES);
        EXPECT_EQ(result.lines, c.lines) << c.nClientWidth << " " << c.nAveWidth;
    }
}

TEST(WordWrap, NegativeWidthsAreHandledSafely)
{
    const TextWidthFunction negative = [](const char*, int nCount) { return -nCount; };
    const WrapResult result = WrapMessageText("ab c\nd", kClientWidth, kLeftMargin, kAveWidth, negative, MAX_VIEW_LINES);
    EXPECT_EQ(result.lines, std::vector<std::string>({"ab c" + std::string(110, ' '), "d" + std::string(110, ' ')}));
}

}  // namespace
