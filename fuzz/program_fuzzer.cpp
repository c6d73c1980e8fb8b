// Fuzz target: whole program runs on the simulated platform. The last bytes of the
// input choose the code page, a byte-order mark or none, the font, a few scroll
// requests, keys and repaints, and now and then a read error; the rest is setup.ini.
// Whatever the script and the font, the launcher must end with status 0 without
// waiting for ever, keep its scroll position in range, and draw no line end.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <new>
#include <string>

#include "app/setup_app.h"
#include "fuzz_check.h"
#include "afx/app.h"
#include "backend/sim/sim.h"
#include "script/setup_script.h"
#include "ui/setup_frame.h"

namespace {

const UINT kKeys[] = {VK_UP, VK_DOWN, VK_PRIOR, VK_NEXT, VK_HOME, VK_END, VK_LEFT, VK_RIGHT};

WindowHandle View()
{
    for (WindowHandle h : sim::AllWindows()) {
        const sim::WindowInfo info = sim::GetWindowInfo(h);
        if (info.exists && info.parent != nullptr && info.id == IDC_MESSAGE_VIEW) {
            return h;
        }
    }
    return nullptr;
}

void CheckView()
{
    const WindowHandle hView = View();
    if (hView == nullptr) {
        return;
    }
    FUZZ_REQUIRE(sim::GetWindowInfo(hView).scroll.nPos >= 0);
    for (const sim::DrawCall& call : sim::Paint(hView)) {
        FUZZ_REQUIRE(call.kind != sim::DrawCall::TextOut || call.text.find('\n') == std::string::npos);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    sim::Reset();
    sim::SetDoubleByteCodePage(input.ConsumeBool());
    const int tmHeight = input.ConsumeIntegralInRange(-2, 80);
    const int tmAveCharWidth = input.ConsumeIntegralInRange(-2, 40);
    sim::SetFontMetrics(tmHeight, tmAveCharWidth);
    const int nSpread = input.ConsumeIntegralInRange(0, 16);
    sim::SetCharWidth([tmAveCharWidth, nSpread](unsigned char c) {
        return tmAveCharWidth > 0 ? tmAveCharWidth + static_cast<int>(c % (nSpread + 1)) - nSpread / 2 : c % 3;
    });
    const int nActions = input.ConsumeIntegralInRange(0, 12);
    for (int i = 0; i < nActions; ++i) {
        switch (input.ConsumeIntegralInRange(0, 3)) {
        case 0:
            sim::QueueScroll(IDC_MESSAGE_VIEW, input.ConsumeIntegralInRange(0u, 9u), input.ConsumeIntegral<std::uint16_t>());
            break;
        case 1:
            sim::QueueKey(kKeys[input.ConsumeIntegralInRange(0, 7)], input.ConsumeIntegralInRange(1, 40));
            break;
        default:
            sim::QueueAction(CheckView);
            break;
        }
    }
    sim::QueueAction(CheckView);
    sim::QueueKey(input.ConsumeBool() ? VK_RETURN : VK_ESCAPE);
    // Now and then the medium fails part way through the script.
    if (input.ConsumeIntegralInRange(0, 7) == 0) {
        sim::SetFileReadError("setup.ini", input.ConsumeIntegralInRange<std::size_t>(0, 8192));
    }
    static const char* const kMarks[] = {"", "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"};
    const char* pszMark = kMarks[input.ConsumeIntegralInRange(0, 3)];
    sim::AddFile("setup.ini", pszMark + input.ConsumeRemainingBytesAsString());

    // The two static objects built afresh, in their order, as a new process has them.
    theScript.CSetupScript::~CSetupScript();
    theApp.~CSetupApp();
    new (&theApp) CSetupApp;
    new (&theScript) CSetupScript;
    FUZZ_REQUIRE(AfxWinMain() == 0);
    FUZZ_REQUIRE(!sim::LoopStalled());
    // A rejected script leaves its message text to the end of the process.
    delete[] theScript.m_pszMessage;
    theScript.m_pszMessage = nullptr;
    return 0;
}
