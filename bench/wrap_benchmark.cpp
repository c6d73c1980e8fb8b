// Time and width measurements of the message wrap against the plain
// character-by-character wrap, on the largest message a script can hold.
//
// The view is that of the launcher in the platform's default font: client width
// 447 (a 465-pixel frame client less the view's 2-pixel border and the 16-pixel
// scroll bar), average character width 7, with proportional character widths.
// The message is 300 lines of 1497 bytes, each ended by a newline: prose, one long
// word per line, or 499 ideographs in UTF-8 (14 pixels each) with a break allowed
// before every one, as the platform's break finder marks them, and overlong pieces cut.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "layout/word_wrap.h"
#include "wrap_reference.h"

namespace {

constexpr int CLIENT_WIDTH = 447;
constexpr int LEFT_MARGIN = 20;
constexpr int AVE_CHAR_WIDTH = 7;
constexpr int MAX_LINES = 1500;
constexpr int MESSAGE_LINES = 300;
constexpr std::size_t MESSAGE_LINE_LENGTH = 1497;

std::array<int, 256> ProportionalWidths()
{
    std::array<int, 256> widths{};
    widths.fill(7);
    for (char c = 'A'; c <= 'Z'; ++c) {
        widths[static_cast<unsigned char>(c)] = 8;
    }
    for (unsigned char c : std::string(" ")) {
        widths[c] = 4;
    }
    for (unsigned char c : std::string("ijl.,;:!'|")) {
        widths[c] = 3;
    }
    for (unsigned char c : std::string("frtI()-")) {
        widths[c] = 4;
    }
    for (unsigned char c : std::string("ckszJ")) {
        widths[c] = 6;
    }
    for (unsigned char c : std::string("mwMW")) {
        widths[c] = 11;
    }
    // UTF-8 ideographs: the lead byte carries the width.
    for (int c = 0x80; c < 0xC0; ++c) {
        widths[c] = 0;
    }
    for (int c = 0xE0; c < 0xF0; ++c) {
        widths[c] = 14;
    }
    return widths;
}

const std::array<int, 256> kWidths = ProportionalWidths();

// Every call is one text extent of the platform; it costs a pass over the bytes.
long g_nMeasurements = 0;

int MeasureText(const char* psz, int nCount)
{
    ++g_nMeasurements;
    int width = 0;
    for (int i = 0; i < nCount; ++i) {
        width += kWidths[static_cast<unsigned char>(psz[i])];
    }
    return width;
}

std::string ProseMessage()
{
    static const char* const kWords[] = {
        "the", "setup", "program", "will", "install", "files", "on", "your", "computer", "and",
        "Please", "close", "all", "other", "applications", "before", "you", "continue.", "It", "is",
        "strongly", "recommended", "that", "read", "following", "licence", "agreement,", "which",
        "describes", "terms", "of", "use", "for", "this", "software;", "a", "copy", "may", "be", "kept",
        "with", "documentation.", "Windows", "system", "directory", "may", "need", "restart", "when",
        "finished.", "Click", "Ok", "to", "start", "or", "Cancel", "quit", "now.", "(optional)", "well-known",
    };
    std::mt19937 random(1u);
    std::uniform_int_distribution<std::size_t> pick(0, sizeof(kWords) / sizeof(kWords[0]) - 1);
    std::string message;
    for (int line = 0; line < MESSAGE_LINES; ++line) {
        std::string text;
        while (text.size() < MESSAGE_LINE_LENGTH) {
            text += kWords[pick(random)];
            text += ' ';
        }
        text.resize(MESSAGE_LINE_LENGTH);
        message += text + '\n';
    }
    return message;
}

std::string LongWordMessage()
{
    std::mt19937 random(2u);
    std::uniform_int_distribution<int> letter('a', 'z');
    std::string message;
    for (int line = 0; line < MESSAGE_LINES; ++line) {
        for (std::size_t i = 0; i < MESSAGE_LINE_LENGTH; ++i) {
            message += static_cast<char>(letter(random));
        }
        message += '\n';
    }
    return message;
}

struct Message {
    std::string text;
    std::vector<unsigned char> flags;  // none: every byte a character
    bool bCutOverlong = false;

    WrapBreaks Breaks() const
    {
        WrapBreaks breaks;
        breaks.pFlags = flags.empty() ? nullptr : flags.data();
        breaks.nFlags = flags.size();
        breaks.bCutOverlong = bCutOverlong;
        return breaks;
    }
};

Message IdeographMessage()
{
    constexpr std::size_t kIdeographs = MESSAGE_LINE_LENGTH / 3;
    std::mt19937 random(3u);
    std::uniform_int_distribution<int> ideograph(0x4E00, 0x9FFF);
    Message message;
    for (int line = 0; line < MESSAGE_LINES; ++line) {
        for (std::size_t i = 0; i < kIdeographs; ++i) {
            const int c = ideograph(random);
            message.text += static_cast<char>(0xE0 | (c >> 12));
            message.text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            message.text += static_cast<char>(0x80 | (c & 0x3F));
            message.flags.insert(message.flags.end(), {WRAP_CHAR_STOP | WRAP_BREAK_BEFORE, 0, 0});
        }
        message.text += '\n';
        message.flags.push_back(WRAP_CHAR_STOP);
    }
    message.bCutOverlong = true;
    return message;
}

using WrapFunction = WrapResult (*)(const char*, int, int, int, const TextWidthFunction&, int, const WrapBreaks&);

void BenchmarkWrap(benchmark::State& state, WrapFunction wrap, const Message& message)
{
    const TextWidthFunction measure = MeasureText;
    const WrapBreaks breaks = message.Breaks();
    const char* pszText = message.text.c_str();
    const WrapResult ours =
        WrapMessageText(pszText, CLIENT_WIDTH, LEFT_MARGIN, AVE_CHAR_WIDTH, measure, MAX_LINES, breaks);
    const WrapResult reference =
        ReferenceWrapMessageText(pszText, CLIENT_WIDTH, LEFT_MARGIN, AVE_CHAR_WIDTH, measure, MAX_LINES, breaks);
    if (ours.lines != reference.lines || ours.limitHit != reference.limitHit) {
        state.SkipWithError("the two wraps give different lines");
        return;
    }

    g_nMeasurements = 0;
    std::size_t nLines = 0;
    for (auto _ : state) {
        const WrapResult result = wrap(pszText, CLIENT_WIDTH, LEFT_MARGIN, AVE_CHAR_WIDTH, measure, MAX_LINES, breaks);
        nLines = result.lines.size();
        benchmark::DoNotOptimize(result.lines.data());
    }
    state.counters["measurements"] =
        benchmark::Counter(static_cast<double>(g_nMeasurements) / static_cast<double>(state.iterations()));
    state.counters["lines"] = static_cast<double>(nLines);
    state.counters["limitHit"] = ours.limitHit ? 1 : 0;
}

const Message kProse{ProseMessage(), {}, false};
const Message kLongWords{LongWordMessage(), {}, false};
const Message kIdeographs = IdeographMessage();

}  // namespace

BENCHMARK_CAPTURE(BenchmarkWrap, prose_ours, WrapMessageText, kProse)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BenchmarkWrap, prose_reference, ReferenceWrapMessageText, kProse)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BenchmarkWrap, long_words_ours, WrapMessageText, kLongWords)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BenchmarkWrap, long_words_reference, ReferenceWrapMessageText, kLongWords)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BenchmarkWrap, ideographs_ours, WrapMessageText, kIdeographs)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BenchmarkWrap, ideographs_reference, ReferenceWrapMessageText, kIdeographs)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
