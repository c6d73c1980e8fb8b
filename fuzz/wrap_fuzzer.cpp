// Fuzz target: any text and font through the message view's word wrap. The first
// bytes choose the metrics, a width per byte and the break flags (none, or ones
// read from the text's bytes as UTF-8 with breaks before ideographs and after
// hyphens, cutting overlong pieces or not); the rest is the message text. Every
// display line must be free of newlines, the line limit must hold and be reported
// exactly when it cut the text, no character of the text may be lost or invented,
// and on inputs small enough the lines must equal those of the plain wrap.
#include <algorithm>
#include <array>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "layout/word_wrap.h"
#include "wrap_reference.h"

namespace {

constexpr int kViewLineLimit = 1500;
constexpr int kLeftMargin = 20;
constexpr std::size_t kHeaderSize = 14;

enum class FontKind { Additive, Overhang, Rounded };

struct Font {
    FontKind kind;
    std::array<int, 256> widths;

    // A function of the bytes alone that never narrows as a string grows, as a
    // platform text extent is.
    int Measure(const char* psz, int nCount) const
    {
        std::int64_t sum = 0;
        for (int i = 0; i < nCount; ++i) {
            sum += widths[static_cast<unsigned char>(psz[i])];
        }
        if (kind == FontKind::Overhang && nCount > 0) {
            sum += 3;
        }
        if (kind == FontKind::Rounded) {
            sum /= 16;
        }
        return static_cast<int>(std::min<std::int64_t>(sum, INT_MAX));
    }
};

std::int16_t ReadInt16(const std::uint8_t* p) { return static_cast<std::int16_t>(p[0] | (p[1] << 8)); }

// The text's characters other than spaces and newlines, which are all a wrap may
// add or drop.
std::string Visible(const std::string& text)
{
    std::string visible;
    for (char c : text) {
        if (c != ' ' && c != '\n') {
            visible += c;
        }
    }
    return visible;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < kHeaderSize) {
        return 0;
    }
    const int nClientWidth = ReadInt16(data);
    const int nAveCharWidth = static_cast<std::int8_t>(data[2]);
    const std::uint8_t flags = data[3];
    Font font;
    font.kind = static_cast<FontKind>((flags & 3) % 3);
    const int nScale = font.kind == FontKind::Rounded ? 16 : 1;
    // Eight width classes, with the space and the newline apart.
    for (int c = 0; c < 256; ++c) {
        font.widths[c] = (data[6 + (c & 7)] % 48) * nScale;
    }
    font.widths[' '] = (data[4] % 48) * nScale;
    font.widths['\n'] = (data[5] % 48) * nScale;
    // Now and then a small limit, so that cutting the text is well explored.
    const int nMaxLines = (flags & 4) != 0 ? (flags >> 3) % 8 : kViewLineLimit;
    const bool bNullText = (flags & 0xFC) == 0xFC;

    // Up to the first NUL, in a block of its own, so that reading past its end shows.
    const std::size_t nTextLength =
        std::find(data + kHeaderSize, data + size, 0) - (data + kHeaderSize);
    const std::unique_ptr<char[]> text(new char[nTextLength + 1]);
    std::memcpy(text.get(), data + kHeaderSize, nTextLength);
    text[nTextLength] = '\0';
    const char* pszText = bNullText ? nullptr : text.get();

    // The top bits of the space and newline widths choose the breaks.
    std::vector<unsigned char> breakFlags;
    for (std::size_t i = 0; (data[4] & 0x80) != 0 && i < nTextLength; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const bool isBreak = c >= 0xE0 || (i > 0 && text[i - 1] == '-');
        breakFlags.push_back((c & 0xC0) == 0x80 ? 0 : isBreak ? WRAP_CHAR_STOP | WRAP_BREAK_BEFORE : WRAP_CHAR_STOP);
    }
    const WrapBreaks breaks{breakFlags.data(), breakFlags.size(), (data[5] & 0x80) != 0};

    const TextWidthFunction measure = [&font](const char* psz, int nCount) { return font.Measure(psz, nCount); };
    const WrapResult result =
        WrapMessageText(pszText, nClientWidth, kLeftMargin, nAveCharWidth, measure, nMaxLines, breaks);

    FUZZ_REQUIRE(static_cast<int>(result.lines.size()) <= std::max(nMaxLines, 0));
    FUZZ_REQUIRE(!result.limitHit || static_cast<int>(result.lines.size()) == nMaxLines);
    std::string shown;
    for (const std::string& line : result.lines) {
        FUZZ_REQUIRE(line.find('\n') == std::string::npos);
        FUZZ_REQUIRE(line.find('\0') == std::string::npos);
        shown += line;
    }
    const std::string whole = pszText != nullptr ? pszText : "";
    const std::string visibleText = Visible(whole);
    const std::string visibleShown = Visible(shown);
    if (result.limitHit) {
        FUZZ_REQUIRE(visibleText.compare(0, visibleShown.size(), visibleShown) == 0);
    } else {
        FUZZ_REQUIRE(visibleShown == visibleText);
    }
    // Filled to the text width, when a space has a width and the width is reachable.
    const std::int64_t nTextWidth = static_cast<std::int64_t>(nClientWidth) - kLeftMargin;
    if (font.widths[' '] > 0) {
        for (const std::string& line : result.lines) {
            FUZZ_REQUIRE(font.Measure(line.data(), static_cast<int>(line.size())) >= nTextWidth);
        }
    }
    // The plain wrap measures once per character and per space: only on small cases.
    if (nTextLength <= 2048 && nClientWidth <= 1200) {
        const WrapResult reference =
            ReferenceWrapMessageText(pszText, nClientWidth, kLeftMargin, nAveCharWidth, measure, nMaxLines, breaks);
        FUZZ_REQUIRE(reference.lines == result.lines);
        FUZZ_REQUIRE(reference.limitHit == result.limitHit);
    }
    return 0;
}
