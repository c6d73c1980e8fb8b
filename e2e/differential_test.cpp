// setupcheck.exe against the launcher, script by script: the bad-script collection and
// generated Unicode wrap cases in each encoding go through the real setup.exe and
// through setupcheck.exe in the same Wine session. What the launcher shows (its boxes,
// its window or none, the view's display lines) is what the checker says (its exit
// status, the texts it quotes, the lines of its preview).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launcher_process.h"

namespace {

struct Outcome {
    std::vector<std::string> boxes;
    bool bWindow = false;
    int nLines = 0;
};

Outcome RunLauncher(const std::string& script)
{
    Outcome outcome;
    LauncherProcess launcher(nullptr);
    if (!launcher.WriteScript(script) || !launcher.Start()) {
        ADD_FAILURE() << "the launcher did not start";
        return outcome;
    }
    while (HWND hWnd = launcher.WaitForBoxOrFrame()) {
        if (GetDlgItem(hWnd, kViewId) == nullptr) {
            outcome.boxes.push_back(ReadMessageBox(hWnd).text);
            DismissMessageBox(hWnd);
            continue;
        }
        HWND hView = GetDlgItem(hWnd, kViewId);
        TEXTMETRICA metrics = {};
        HDC hDC = GetDC(hView);
        GetTextMetricsA(hDC, &metrics);
        ReleaseDC(hView, hDC);
        SCROLLINFO info;
        outcome.bWindow = true;
        outcome.nLines = launcher.ReadScrollBar(hView, &info) ? info.nMax / metrics.tmHeight : -1;
        PostMessageA(hView, WM_KEYDOWN, VK_ESCAPE, 1);
        break;
    }
    launcher.ExitsWithStatusZero();
    return outcome;
}

struct Verdict {
    DWORD dwStatus = 0;
    std::string output;  // the findings, then the preview
};

// setupcheck.exe --preview at the run's display scale on the script, its output read
// from a file.
Verdict RunChecker(const std::string& script)
{
    Verdict verdict;
    LauncherProcess scratch(nullptr);  // only for its folder
    const std::string scriptPath = scratch.Folder() + "setup.ini";
    const std::string outputPath = scratch.Folder() + "out.txt";
    scratch.WriteScript(script);
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE hOut = CreateFileW(Wide(outputPath).c_str(), GENERIC_WRITE, 0, &inherit, CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = hOut;
    std::wstring command = L"\"" + Wide(WindowsPath(SETUPCHECK_EXE_PATH)) + L"\" --preview --dpi=" +
                           std::to_wstring(DisplayDpi()) + L" \"" + Wide(scriptPath) + L"\"";
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        ADD_FAILURE() << "setupcheck.exe did not start";
        CloseHandle(hOut);
        return verdict;
    }
    WaitForSingleObject(process.hProcess, kTimeoutMs);
    GetExitCodeProcess(process.hProcess, &verdict.dwStatus);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    CloseHandle(hOut);
    verdict.output = ReadWholeFile(outputPath);
    return verdict;
}

// The preview's display lines: those after its heading, without the page marks.
int PreviewLines(const std::string& output)
{
    const std::size_t nHeading = output.find(" lines a page:");
    if (nHeading == std::string::npos || output.find("(no [Message])", nHeading) != std::string::npos) {
        return 0;
    }
    int nLines = 0;
    for (std::size_t i = output.find('\n', nHeading) + 1; i < output.size(); i = output.find('\n', i) + 1) {
        nLines += output.compare(i, 3, "-- ") != 0 ? 1 : 0;
        if (output.find('\n', i) == std::string::npos) {
            break;
        }
    }
    return nLines;
}

void ExpectSameOutcome(const std::string& name, const std::string& script)
{
    const Outcome shown = RunLauncher(script);
    const Verdict verdict = RunChecker(script);
    SCOPED_TRACE(name + "\n" + verdict.output);
    EXPECT_EQ(verdict.dwStatus == 0, shown.bWindow && shown.boxes.empty());
    for (const std::string& box : shown.boxes) {
        // Control characters are quoted escaped; a text holding one is left at that.
        if (box.find_first_of("\r\n\t\x1b\x1a") == std::string::npos) {
            EXPECT_NE(verdict.output.find("\"" + box + "\""), std::string::npos) << box;
        }
    }
    if (shown.bWindow) {
        EXPECT_EQ(PreviewLines(verdict.output), shown.nLines);
    }
}

std::string Encoded(const std::u16string& text, int nForm)
{
    if (nForm == 0) {
        return "\xEF\xBB\xBF" + Utf8(std::wstring(text.begin(), text.end()));
    }
    std::string bytes = nForm == 1 ? "\xFF\xFE" : "\xFE\xFF";
    for (const char16_t unit : text) {
        const char low = static_cast<char>(unit & 0xFF);
        const char high = static_cast<char>(unit >> 8);
        bytes += nForm == 1 ? std::string{low, high} : std::string{high, low};
    }
    return bytes;
}

std::u16string Times(const std::u16string& text, int n)
{
    std::u16string repeated;
    for (int i = 0; i < n; ++i) {
        repeated += text;
    }
    return repeated;
}

TEST(DifferentialTest, UnicodeWrapCasesInEveryEncoding)
{
    const std::u16string head = u"[Run]\r\ninstall.exe\r\n[Message]\r\n";
    const struct {
        const char* pszName;
        std::u16string text;
    } cases[] = {
        {"long words", head + std::u16string(1000, u'a') + u"\r\n" + std::u16string(1000, u'b') + u"\r\n"},
        {"hyphens", head + Times(u"well-known state-of-the-art ", 40) + u"\r\n"},
        {"ideographs", head + Times(u"\u6F22\u5B57\u304B\u306A\uD55C\uAE00", 70) + u"\r\n"},
        {"combining marks after spaces", head + Times(u" \u0301", 450) + u"\r\n"},
        {"Greek with tonos", head + Times(u"\u03AC\u03AD\u03AE\u03AF\u03CC\u03CD\u03CE ", 90) + u"\r\n"},
        {"a character cut by the piece", u"[Title]\r\n" + std::u16string(1498, u'a') + u"\u00E9\r\n"},
        {"view line limit", head + Times(Times(u"\u6F22", 400) + u"\r\n", 300)},
    };
    for (const auto& c : cases) {
        for (int nForm = 0; nForm < 3; ++nForm) {
            ExpectSameOutcome(std::string(c.pszName) + " in form " + std::to_string(nForm), Encoded(c.text, nForm));
        }
    }
}

// ANSI scripts are read in the system's code page by both: on a Japanese system the
// double-byte characters of code page 932 (a trail byte 0x5C among them) are quoted
// as the launcher's boxes show them.
TEST(DifferentialTest, AnsiScriptsInTheSystemCodePage)
{
    const std::string head = "[Run]\r\ninstall.exe\r\n";
    const std::string scripts[] = {
        head + "\x93\xFA\x96\x7B\x8C\xEA\r\n",
        head + "[Title]\r\n\x83\x5C\x83\x74\x83\x67\r\n\x83\x5C\x83\x74\x83\x67 \x82\xA0\r\n",
        head + "[Message]\r\n\x93\xFA\x96\x7B\x8C\xEA\r\n",
    };
    for (const std::string& script : scripts) {
        ExpectSameOutcome("code page " + std::to_string(GetACP()), script);
    }
}

TEST(DifferentialTest, BadScriptCollection)
{
    WIN32_FIND_DATAW found;
    const std::string folder = WindowsPath(BAD_SCRIPTS_DIR) + "\\";
    HANDLE hFind = FindFirstFileW(Wide(folder + "*.ini").c_str(), &found);
    ASSERT_NE(hFind, INVALID_HANDLE_VALUE);
    int nScripts = 0;
    do {
        const std::string name = Utf8(found.cFileName);
        ExpectSameOutcome(name, ReadWholeFile(folder + name));
        ++nScripts;
    } while (FindNextFileW(hFind, &found));
    FindClose(hFind);
    EXPECT_GT(nScripts, 100);
}

}  // namespace
