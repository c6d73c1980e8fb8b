// Start-up timing of setup.exe: the time from starting the process to its window
// being visible, measured over several runs. A message box that comes up first is
// dismissed at once, and its time on screen is also reported apart.
//
// Usage: startup_timer RUNS SCRIPT...   SCRIPT: a setup.ini, or --largest for the
//                                       largest script the format takes
// The scripts take turns, run by run, so that a change in the machine's load falls
// on all of them alike. For each script, in order, a last line reads
// "RESULT visible_ms=M without_box_ms=N": the medians of its runs.
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
    if (!launcher.StartWithoutProbe()) {
        std::fprintf(stderr, "setup.exe did not start: %s\n", launcher.StartError().c_str());
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
    return launcher.ExitsWithStatusZero();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

bool LoadScript(const std::string& argument, std::string* pScript)
{
    *pScript = argument == "--largest" ? LargestScript() : ReadWholeFile(WindowsPath(argument));
    return !pScript->empty();
}

}  // namespace

int main(int argc, char** argv)
{
    const int nRuns = argc >= 3 ? std::atoi(argv[1]) : 0;
    if (nRuns < 1) {
        std::fprintf(stderr, "usage: startup_timer RUNS SETUP.INI|--largest...\n");
        return 2;
    }
    const std::vector<std::string> arguments(argv + 2, argv + argc);
    std::vector<std::string> scripts(arguments.size());
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (!LoadScript(arguments[i], &scripts[i])) {
            std::fprintf(stderr, "cannot read %s\n", arguments[i].c_str());
            return 2;
        }
    }

    // One round first that is not counted: it brings every file into the cache.
    for (const std::string& script : scripts) {
        Timing warmUp;
        if (!TimeOneRun(script, &warmUp)) {
            std::fprintf(stderr, "the launcher window did not come up\n");
            return 1;
        }
    }
    std::vector<std::vector<double>> visible(scripts.size()), withoutBox(scripts.size());
    for (int nRun = 1; nRun <= nRuns; ++nRun) {
        for (std::size_t i = 0; i < scripts.size(); ++i) {
            Timing timing;
            if (!TimeOneRun(scripts[i], &timing)) {
                std::fprintf(stderr, "run %d of %s failed\n", nRun, arguments[i].c_str());
                return 1;
            }
            std::printf("%s, run %d: visible after %.1f ms, message box up %.1f ms of it\n", arguments[i].c_str(),
                        nRun, timing.dVisibleMs, timing.dBoxMs);
            visible[i].push_back(timing.dVisibleMs);
            withoutBox[i].push_back(timing.dVisibleMs - timing.dBoxMs);
        }
    }
    for (std::size_t i = 0; i < scripts.size(); ++i) {
        std::printf("RESULT visible_ms=%.1f without_box_ms=%.1f\n", Median(visible[i]), Median(withoutBox[i]));
    }
    std::fflush(stdout);
    return 0;
}
