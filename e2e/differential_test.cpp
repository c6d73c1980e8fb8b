// setupcheck.exe and the native setupcheck against the launcher, script by script: the
// bad-script collection, generated Unicode wrap cases in each encoding and seeded
// random scripts near the view's line limit go through the real setup.exe and
// through setupcheck.exe in the same Wine session, and, where SETUPCHECK_NATIVE names
// the native checker (scripts/test.sh sets it), through that one too, at 96 DPI, the
// one scale its table holds. What the launcher shows (its boxes, its window or none,
// the view's display lines) is what each checker says (its exit status, the texts it
// quotes, the lines of its preview).
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
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
    if (!launcher.WriteScript(script)) {
        ADD_FAILURE() << "the script was not written: " << LastErrorText();
        return outcome;
    }
    if (!launcher.Start()) {
        ADD_FAILURE() << "the launcher did not start: " << launcher.StartError();
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
    std::string error;
    if (!StartProcess(command, TRUE, 0, "", &startup, &process, &error)) {
        ADD_FAILURE() << "setupcheck.exe did not start: " << error;
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

// The native checker, or empty when none is given or the scale is not the one its
// table holds.
std::string NativeChecker()
{
    wchar_t szPath[MAX_PATH] = L"";
    const DWORD nLength = GetEnvironmentVariableW(L"SETUPCHECK_NATIVE", szPath, MAX_PATH);
    return nLength > 0 && nLength < MAX_PATH && DisplayDpi() == 96 ? Utf8(szPath) : std::string();
}

// A Windows path as the native checker sees it, through Wine's own mapping.
std::string UnixPath(const std::string& path)
{
    using UnixFileName = char*(CDECL*)(const wchar_t*);
    const auto toUnix = reinterpret_cast<UnixFileName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    char* pszUnix = toUnix != nullptr ? toUnix(Wide(path).c_str()) : nullptr;
    const std::string unix = pszUnix != nullptr ? pszUnix : "";
    HeapFree(GetProcessHeap(), 0, pszUnix);
    return unix;
}

// The native checker --preview on the script, through e2e/native-check.sh, which
// writes its output and then its exit status to files. It is told the system's ANSI
// code page, which it cannot learn from Wine's locale.
Verdict RunNativeChecker(const std::string& script)
{
    Verdict verdict;
    LauncherProcess scratch(nullptr);  // only for its folder
    scratch.WriteScript(script);
    const std::string folder = UnixPath(scratch.Folder());
    std::wstring command = L"\"" + Wide(WindowsPath(NATIVE_CHECK_SCRIPT)) + L"\" \"" + Wide(folder) + L"out.txt\" " +
                           L"--code-page=" + std::to_wstring(GetACP()) + L" --preview \"" + Wide(folder) + L"setup.ini\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (folder.empty() ||
        !CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        ADD_FAILURE() << "the native setupcheck did not start";
        return verdict;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (!WaitForFile(scratch.Folder() + "out.txt.status")) {
        ADD_FAILURE() << "the native setupcheck did not end";
        return verdict;
    }
    verdict.dwStatus = static_cast<DWORD>(std::stoul(ReadWholeFile(scratch.Folder() + "out.txt.status")));
    verdict.output = ReadWholeFile(scratch.Folder() + "out.txt");
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

std::string C1Escaped(const std::string& text)
{
    std::string escaped;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(i + 1 < text.size() ? text[i + 1] : 0);
        if (text[i] == '\xC2' && c >= 0x80 && c < 0xA0) {
            escaped += {'\\', 'u', '0', '0', "0123456789abcdef"[c >> 4], "0123456789abcdef"[c & 0xF]};
            ++i;
        } else {
            escaped += text[i];
        }
    }
    return escaped;
}

// What a checker says is what the launcher showed. A checker that guessed a width
// (SC3003) may count more lines, and may then warn of the line limit where the
// launcher shows no box, but it never reports an error the launcher does not show.
void ExpectSameVerdict(const char* pszChecker, const Outcome& shown, const Verdict& verdict)
{
    SCOPED_TRACE(std::string(pszChecker) + "\n" + verdict.output);
    const bool bClean = shown.bWindow && shown.boxes.empty();
    if (verdict.output.find("[SC3003]") != std::string::npos) {
        EXPECT_TRUE(verdict.dwStatus == 0 || !bClean);
        return;
    }
    EXPECT_EQ(verdict.dwStatus == 0, bClean);
    for (const std::string& box : shown.boxes) {
        // Control characters are quoted escaped: a text holding one of C0 is left at
        // that, one of C1 (U+0080 to U+009F) is quoted as \u0080 to \u009f.
        if (box.find_first_of("\r\n\t\x1b\x1a") == std::string::npos) {
            EXPECT_NE(verdict.output.find("\"" + C1Escaped(box) + "\""), std::string::npos) << box;
        }
    }
    if (shown.bWindow) {
        EXPECT_EQ(PreviewLines(verdict.output), shown.nLines);
    }
}

// The launcher's outcome, which each checker is then held to.
Outcome ExpectSameOutcome(const std::string& name, const std::string& script)
{
    SCOPED_TRACE(name);
    const Outcome shown = RunLauncher(script);
    ExpectSameVerdict("setupcheck.exe", shown, RunChecker(script));
    if (!NativeChecker().empty()) {
        ExpectSameVerdict("native setupcheck", shown, RunNativeChecker(script));
    }
    return shown;
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
        {"ideographs filling their lines", head + Times(Times(u"\u6F22", 499) + u"\r\n", 300)},
    };
    for (const auto& c : cases) {
        for (int nForm = 0; nForm < 3; ++nForm) {
            ExpectSameOutcome(std::string(c.pszName) + " in form " + std::to_string(nForm), Encoded(c.text, nForm));
        }
    }
}

// A script of ANSI bytes, each character of text one byte of code page 1252.
std::string Ansi(const std::u16string& text) { return std::string(text.begin(), text.end()); }

// Bytes that code page 1252 leaves undefined are quoted as the launcher's box shows them.
TEST(DifferentialTest, BytesTheCodePageLeavesUndefined)
{
    ExpectSameOutcome("0x81 and 0x8D", "[Run]\r\ninstall.exe\r\nbad \x81\x8D\x8F\x90\x9D line\r\n");
}

// Seeded random messages that wrap into about as many display lines as the view
// holds, some past the limit and some short of it: ASCII and Latin-1 in code page
// 1252, Latin-1 and Greek in UTF-8, Cyrillic in UTF-16. Each seed picks the letters,
// a length of line, and as many lines as should come near the limit.
TEST(DifferentialRandomTest, ScriptsNearTheLineLimit)
{
    const struct {
        const char* pszName;
        int nForm;  // as Encoded takes it; -1: ANSI
        int nMaxChars;  // a line stays within the reader's 1500 bytes
        std::u16string letters;
    } families[] = {
        {"ASCII in code page 1252", -1, 1400, u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"},
        {"Latin-1 in code page 1252", -1, 1400, u"abcdefghijklmnopqrstuvwxyz\u00E0\u00E9\u00E8\u00EA\u00EB\u00F6\u00FC\u00DF\u00E7\u00F1\u00F8\u00E5\u00C6\u00C9"},
        {"Latin-1 in UTF-8", 0, 700, u"abcdefghijklmnopqrstuvwxyz\u00E0\u00E9\u00E8\u00EA\u00EB\u00F6\u00FC\u00DF\u00E7\u00F1\u00F8\u00E5\u00C6\u00C9"},
        {"Greek in UTF-8", 0, 700, u"\u03B1\u03B2\u03B3\u03B4\u03B5\u03B6\u03B7\u03B8\u03B9\u03BA\u03BB\u03BC\u03BD\u03BE\u03BF\u03C0\u03C1\u03C3\u03C2\u03C4\u03C5\u03C6\u03C7\u03C8\u03C9\u03AC\u03AD\u03AE\u03AF\u03CC\u03CD\u03CE\u0391\u03A9"},
        {"Cyrillic in UTF-16", 1, 700, u"\u0430\u0431\u0432\u0433\u0434\u0435\u0436\u0437\u0438\u0439\u043A\u043B\u043C\u043D\u043E\u043F\u0440\u0441\u0442\u0443\u0444\u0445\u0446\u0447\u0448\u0449\u044B\u044C\u044D\u044E\u044F\u0416\u0429"},
    };
    constexpr int kScripts = 40;
    int nPastTheLimit = 0;
    for (int nSeed = 0; nSeed < kScripts; ++nSeed) {
        const auto& family = families[nSeed % 5];
        std::mt19937 random(static_cast<unsigned>(nSeed));
        const auto pick = [&random](int nMin, int nMax) {
            return nMin + static_cast<int>(random() % static_cast<unsigned>(nMax - nMin + 1));
        };
        // Some 7 pixels a character in a text width of about 420: the targets run
        // from well short of the limit to well past it.
        const int nChars = pick(400, family.nMaxChars);
        const int nTarget = 1380 + nSeed * 240 / kScripts;
        const int nLines = std::min(nTarget / ((nChars * 7 + 419) / 420), 300);
        std::u16string text = u"[Run]\r\ninstall.exe\r\n[Message]\r\n";
        for (int nLine = 0; nLine < nLines; ++nLine) {
            std::u16string line;
            while (static_cast<int>(line.size()) < nChars) {
                line += line.empty() ? u"" : u" ";
                for (int nWord = pick(1, 10); nWord > 0; --nWord) {
                    line += family.letters[static_cast<std::size_t>(pick(0, static_cast<int>(family.letters.size()) - 1))];
                }
            }
            text += line.substr(0, static_cast<std::size_t>(nChars)) + u"\r\n";
        }
        const std::string name = std::string(family.pszName) + ", seed " + std::to_string(nSeed);
        const Outcome shown = ExpectSameOutcome(name, family.nForm < 0 ? Ansi(text) : Encoded(text, family.nForm));
        nPastTheLimit += shown.boxes.empty() ? 0 : 1;
    }
    // The scripts straddle the limit.
    EXPECT_GT(nPastTheLimit, kScripts / 4);
    EXPECT_LT(nPastTheLimit, kScripts * 3 / 4);
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
