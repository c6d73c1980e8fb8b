// Start-up timing of setup.exe: the time from starting the process to its window
// being visible, measured over several runs. A message box that comes up first is
// dismissed at once, and its time on screen is also reported apart.
//
// Usage: startup_timer RUNS SCRIPT      SCRIPT: a setup.ini, or --largest for the
//                                       largest script the format takes
// The last line reads "RESULT visible_ms=M without_box_ms=N", medians of the runs.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "largest_script.h"
#include "launcher_process.h"

namespace {

struct Timing {
    double dVisibleMs = 0;
    double dBoxMs = 0;
};

double Now()
{
    static LARGE_INTEGER s_frequency = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return frequency;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(s_frequency.QuadPart);
}

bool TimeOneRun(const std::string& script, Timing* pTiming)
{
    LauncherProcess launcher(script.c_str());
    const double dStart = Now();
    if (!launcher.Start()) {
        return false;
    }
    const double dGiveUp = dStart + kTimeoutMs;
    HWND hFrame = nullptr;
    while (Now() < dGiveUp) {
        if (HWND hBox = launcher.VisibleMessageBox()) {
            const double dBoxUp = Now();
            if (!DismissMessageBox(hBox)) {
                return false;
            }
            pTiming->dBoxMs += Now() - dBoxUp;
        }
        hFrame = launcher.Frame();
        if (hFrame != nullptr && IsWindowVisible(hFrame)) {
            pTiming->dVisibleMs = Now() - dStart;
            break;
        }
        Sleep(1);
    }
    if (pTiming->dVisibleMs == 0) {
        return false;
    }
    PostMessageA(GetDlgItem(hFrame, kViewId), WM_KEYDOWN, VK_ESCAPE, 1);
    DWORD dwExitCode = 1;
    return launcher.WaitForExit(&dwExitCode) && dwExitCode == 0;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv)
{
    const int nRuns = argc == 3 ? std::atoi(argv[1]) : 0;
    if (nRuns < 1) {
        std::fprintf(stderr, "usage: startup_timer RUNS SETUP.INI|--largest\n");
        return 2;
    }
    std::string script;
    if (std::string(argv[2]) == "--largest") {
        script = LargestScript();
    } else {
        script = ReadWholeFile(WindowsPath(argv[2]));
        if (script.empty()) {
            std::fprintf(stderr, "cannot read %s\n", argv[2]);
            return 2;
        }
    }

    // One run first that is not counted: it brings setup.exe into the file cache.
    Timing warmUp;
    if (!TimeOneRun(script, &warmUp)) {
        std::fprintf(stderr, "the launcher window did not come up\n");
        return 1;
    }
    std::vector<double> visible, withoutBox;
    for (int i = 1; i <= nRuns; ++i) {
        Timing timing;
        if (!TimeOneRun(script, &timing)) {
            std::fprintf(stderr, "run %d failed\n", i);
            return 1;
        }
        std::printf("run %d: visible after %.1f ms, message box up %.1f ms of it\n", i, timing.dVisibleMs,
                    timing.dBoxMs);
        visible.push_back(timing.dVisibleMs);
        withoutBox.push_back(timing.dVisibleMs - timing.dBoxMs);
    }
    std::printf("RESULT visible_ms=%.1f without_box_ms=%.1f\n", Median(visible), Median(withoutBox));
    std::fflush(stdout);
    return 0;
}
