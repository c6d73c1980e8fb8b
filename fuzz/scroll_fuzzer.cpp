// Fuzz target: the message view's scrolling arithmetic. The first bytes choose a view
// as the layout produces one (line height above 0, visible and total height whole
// numbers of lines, at most 1500 lines); the rest is a run of scroll requests played
// from position 0, each checked against the rules of the view. The same requests are
// then played with raw 32-bit values for every argument, where only a consistent
// answer (a position that fits an int) is required and the sanitizers watch the rest.
#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>

#include "fuzz_check.h"
#include "layout/scroll_math.h"

namespace {

constexpr std::int64_t kMaxViewLines = 1500;
constexpr std::size_t kViewSize = 10;
constexpr std::size_t kRequestSize = 5;

std::uint32_t ReadUint32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// Mostly the ten codes the scroll bar sends, now and then any other.
UINT ScrollCode(std::uint8_t byte) { return byte < 0xF0 ? byte % 10u : byte; }

struct View {
    std::int64_t lineHeight;
    std::int64_t visibleHeight;
    std::int64_t totalHeight;
};

void PlayLaidOutView(const View& view, const std::uint8_t* requests, std::size_t nRequests)
{
    const std::int64_t h = view.lineHeight;
    const std::int64_t greatest = view.totalHeight - view.visibleHeight;
    std::int64_t position = 0;
    for (std::size_t i = 0; i < nRequests; ++i) {
        const std::uint8_t* p = requests + i * kRequestSize;
        const UINT nCode = ScrollCode(p[0]);
        // The scroll bar's range is 0 to the total height.
        const std::int64_t thumb = ReadUint32(p + 1) % static_cast<std::uint64_t>(view.totalHeight + 1);
        const ScrollStep step =
            ComputeScrollStep(nCode, static_cast<int>(thumb), static_cast<int>(position), static_cast<int>(h),
                              static_cast<int>(view.visibleHeight), static_cast<int>(view.totalHeight));
        const std::int64_t before = position;
        if (!step.ignored) {
            position += step.delta;
        }
        FUZZ_REQUIRE(position >= 0 && position % h == 0);
        // A page of no lines moves nothing, whether or not the request counts.
        const std::int64_t stride = nCode == SB_LINEUP || nCode == SB_LINEDOWN ? h : view.visibleHeight;
        switch (nCode) {
        case SB_LINEUP:
        case SB_PAGEUP:
            FUZZ_REQUIRE(stride == 0 ? position == before : step.ignored == (before == 0));
            FUZZ_REQUIRE(position <= before && before - position <= stride);
            break;
        case SB_LINEDOWN:
        case SB_PAGEDOWN:
            FUZZ_REQUIRE(stride == 0 ? position == before : step.ignored == (greatest <= before));
            FUZZ_REQUIRE(step.ignored || stride == 0 || (position > before && position <= greatest));
            FUZZ_REQUIRE(position >= before && position - before <= stride);
            break;
        case SB_THUMBPOSITION:
            FUZZ_REQUIRE(!step.ignored && position == thumb / h * h);
            break;
        case SB_THUMBTRACK:
        case SB_ENDSCROLL:
            FUZZ_REQUIRE(!step.ignored && step.delta == 0);
            break;
        default:
            FUZZ_REQUIRE(step.ignored);
            break;
        }
    }
}

void PlayRawValues(const std::uint8_t* view, const std::uint8_t* requests, std::size_t nRequests)
{
    const int nLineHeight = static_cast<int>(ReadUint32(view));
    const int nVisibleHeight = static_cast<int>(ReadUint32(view + 3));
    const int nTotalHeight = static_cast<int>(ReadUint32(view + 6));
    int nPosition = static_cast<int>(ReadUint32(view + 1));
    for (std::size_t i = 0; i < nRequests; ++i) {
        const std::uint8_t* p = requests + i * kRequestSize;
        const ScrollStep step = ComputeScrollStep(ScrollCode(p[0]), static_cast<int>(ReadUint32(p + 1)), nPosition,
                                                  nLineHeight, nVisibleHeight, nTotalHeight);
        if (step.ignored) {
            continue;
        }
        const std::int64_t next = static_cast<std::int64_t>(nPosition) + step.delta;
        FUZZ_REQUIRE(next >= INT_MIN && next <= INT_MAX);
        nPosition = static_cast<int>(next);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < kViewSize) {
        return 0;
    }
    // Heights that a 32-bit total of 1500 lines can hold.
    const std::int64_t h = 1 + ReadUint32(data) % (INT_MAX / kMaxViewLines);
    const std::int64_t lines = (data[4] | (data[5] << 8)) % (kMaxViewLines + 1);
    const std::int64_t rows = ReadUint32(data + 6) % (INT_MAX / h + 1);
    const View view{h, rows * h, lines * h};
    const std::size_t nRequests = (size - kViewSize) / kRequestSize;
    PlayLaidOutView(view, data + kViewSize, nRequests);
    PlayRawValues(data, data + kViewSize, nRequests);
    return 0;
}
