// The script checker's findings: small scripts, each with every finding expected of
// it (line, column, severity, code), checked as the launcher's parser reads them,
// through the text output and through the JSON output read by a JSON parser.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "checker/script_check.h"
#include "platform/console/console_system.h"
#include "platform/sim/sim.h"
#include "script_test_support.h"

namespace {

using script_test::CrLf;
using script_test::RepeatedLines;
using Located = std::tuple<int, int, std::string, std::string>;  // line, column, severity, code

struct CheckCase {
    const char* pszName;
    std::string script;
    std::vector<Located> expected;
    std::string quote = {};  // a text output line holds it
    unsigned nCodePage = 1252;
    int nCharWidth = 7;  // 0: the table of the view's font
};

const std::string kRun = "[Run]\r\ninstall.exe\r\n";

std::string Repeated(const std::string& text, int n)
{
    std::string repeated;
    for (int i = 0; i < n; ++i) {
        repeated += text;
    }
    return repeated;
}
const std::string kWords60 = [] {
    std::string line;
    for (int i = 0; i < 60; ++i) {
        line += "word ";
    }
    return line;
}();

// A UTF-16 file with its byte-order mark.
std::string Utf16(const std::u16string& text, bool bBigEndian = false)
{
    std::string bytes = bBigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t unit : text) {
        bytes += static_cast<char>(bBigEndian ? unit >> 8 : unit & 0xFF);
        bytes += static_cast<char>(bBigEndian ? unit & 0xFF : unit >> 8);
    }
    return bytes;
}
std::string Utf16Le(const std::u16string& text) { return Utf16(text); }

// [Run] and 1001 indented lines: 1000 warnings shown and a count of the one more.
std::vector<Located> WarningsPastTheCap()
{
    std::vector<Located> expected;
    for (int nLine = 3; nLine < 1003; ++nLine) {
        expected.emplace_back(nLine, 1, "warning", "SC2001");
    }
    expected.emplace_back(1004, 1, "note", "SC3002");
    return expected;
}

// Runs a command with a file as its input; its output.
std::string OutputOf(const std::string& command, const std::string& input)
{
    char szPath[] = "/tmp/setupcheck_test_XXXXXX";
    const int fd = mkstemp(szPath);
    EXPECT_EQ(write(fd, input.data(), input.size()), static_cast<ssize_t>(input.size()));
    close(fd);
    std::string output;
    if (std::FILE* pPipe = popen((command + " < " + szPath).c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pPipe)) > 0;) {
            output.append(buffer, n);
        }
        EXPECT_EQ(pclose(pPipe), 0) << input;
    }
    unlink(szPath);
    return output;
}

const CheckCase kCases[] = {
    {"clean", kRun + CrLf({"[Title]", "Product", "[Message]", "Hello", "", "  indented text"}), {}},
    {"not a header", kRun + CrLf({"[Title]", "x", "bad line"}), {{5, 1, "error", "SC1001"}}},
    {"rest of an overlong value", kRun + CrLf({"[Title]", std::string(1600, 'x')}), {{4, 1500, "error", "SC1001"}}},
    {"header alone at the end", kRun + "[Title]", {{3, 1, "error", "SC1004"}}},
    {"bad root key after the end", kRun + CrLf({"[Rootkey]", "HKCU", "[RegKey]", "K", "[RegVersion]", "1", "[Title]"}),
     {{4, 1, "error", "SC1005"}, {9, 1, "error", "SC1004"}, {8, 1, "warning", "SC2006"}}, "ends at line 9 first"},
    {"message line too long", CrLf({"[Message]", std::string(1498, 'a')}), {{2, 1, "error", "SC1002"}, {1, 1, "warning", "SC2009"}}},
    {"too long with tabs", CrLf({"[Message]", std::string(200, '\t') + "x"}),
     {{2, 1, "error", "SC1002"}, {1, 1, "warning", "SC2009"}}},
    {"301 notice lines", "[RegText]\r\n" + RepeatedLines("x", 301), {{302, 1, "error", "SC1003"}, {1, 1, "warning", "SC2009"}}},
    {"bad root key", kRun + CrLf({"[Rootkey]", "HKCU", "[RegKey]", "Software\\P", "[RegVersion]", "1.0", "[RegText]", "Old"}),
     {{4, 1, "error", "SC1005"}}},
    {"1501 display lines", kRun + "[Message]\r\n" + RepeatedLines(kWords60, 300), {{254, 1, "error", "SC1006"}}},
    {"1501 display lines in one language", kRun + CrLf({"[Message]", "Hi", "[Message.fr]"}) + RepeatedLines(kWords60, 300),
     {{256, 1, "error", "SC1006"}, {1, 1, "note", "SC3004"}}, "[Message.fr]: \"Maximum number of view lines"},
    {"a language's line too long", CrLf({"[Message.fr]", std::string(1498, 'a')}),
     {{2, 1, "error", "SC1002"}, {1, 1, "warning", "SC2009"}, {1, 1, "note", "SC3004"}, {1, 1, "warning", "SC2012"}},
     "a [Message.fr] line must"},
    {"a tagged section alone", kRun + CrLf({"[Title]", "T", "[Title.de]", "D", "[Ok.fr]", "Los", "[OK.de]", "Los"}),
     {{1, 1, "note", "SC3004"}, {7, 1, "warning", "SC2012"}}, "languages: de, fr;"},
    {"line longer than a page", kRun + "[Message]\r\n" + RepeatedLines(kWords60 + kWords60 + kWords60 + kWords60, 1),
     {{4, 1, "note", "SC3001"}}},
    {"line of exactly a page", kRun + "[Message]\r\n" + RepeatedLines(kWords60 + kWords60 + kWords60 + "word word", 1), {}},
    {"indented text", kRun + CrLf({"  note to self", "[Title]", "\tnot the title", "T"}),
     {{3, 1, "warning", "SC2001"}, {5, 1, "warning", "SC2001"}}},
    {"value is a header", kRun + CrLf({"[Title]", "[Ok]", "Go"}), {{4, 1, "warning", "SC2002"}, {5, 1, "error", "SC1001"}}},
    {"header with blanks", kRun + CrLf({" [Title]", "[Message]", "[Ok] ", "[Cancel];x"}),
     {{3, 1, "warning", "SC2003"}, {5, 1, "warning", "SC2003"}, {6, 1, "warning", "SC2003"}}},
    {"section twice", kRun + CrLf({"[Ok]", "Yes", "[OK]", "Go"}), {{5, 1, "warning", "SC2004"}}, "also on line 3"},
    {"key without version", kRun + CrLf({"[RegKey]", "Software\\P"}), {{4, 1, "warning", "SC2005"}}},
    {"version without key", kRun + CrLf({"[RegVersion]", "1.0"}), {{4, 1, "warning", "SC2005"}}},
    {"check without notice", kRun + CrLf({"[RegKey]", "Software\\P", "[RegVersion]", "1.0"}), {{6, 1, "warning", "SC2006"}}},
    {"value cut at a semicolon", CrLf({"[Run]", "setup.exe /a;b", "[Title]", "A ;note"}),
     {{2, 13, "warning", "SC2007"}, {4, 3, "warning", "SC2007"}}},
    {"trailing blanks", CrLf({"[Run]", "setup.exe ", "[RegVersion]", "2.0\t"}),
     {{2, 10, "warning", "SC2008"}, {4, 4, "warning", "SC2008"}, {4, 1, "warning", "SC2005"}}},
    {"no command", CrLf({"[Title]", "T"}), {{1, 1, "warning", "SC2009"}}},
    {"UTF-8 without a BOM", kRun + CrLf({"[Title]", "Caf\xC3\xA9"}), {{4, 4, "warning", "SC2010"}}},
    {"ANSI bytes", kRun + CrLf({"[Title]", "Caf\xE9"}), {}},
    {"UTF-16 counts its own line feeds", Utf16Le(u"[Run]\r\ninstall.exe\r\n[Title]\r\n\u010A\r\nbad\r\n"),
     {{5, 1, "error", "SC1001"}}},
    {"UTF-8 with a BOM", "\xEF\xBB\xBF" + kRun + CrLf({"[Title]", "Caf\xC3\xA9"}), {}},
    {"run program in a folder in another case", CrLf({"[Run]", "DISK 1\\.\\setup /s"}), {}},
    {"run program named in UTF-8", "\xEF\xBB\xBF" + CrLf({"[Run]", "\xC3\xA4rger\\x.exe"}), {}},
    {"run program named in ANSI", CrLf({"[Run]", "\xE4rger\\x.exe"}), {}},
    {"run program missing", CrLf({"[Run]", "disk1\\setup.exe /s"}), {{2, 1, "warning", "SC2011"}}},
    // Windows' own programs are found in its folders; msiexec's package in the script's.
    {"system program", CrLf({"[Run]", "CMD /c install.bat"}), {}},
    {"msiexec package present", CrLf({"[Run]", "MsiExec.exe -I \"disk 1\\PRODUCT.msi\" /qn"}), {}},
    {"another program's package option is its own", CrLf({"[Run]", "install.exe /i other.msi"}), {}},
    {"msiexec product code", CrLf({"[Run]", "msiexec /i {12345678-1234-1234-1234-123456789012} /qn"}), {}},
    {"msiexec package missing", CrLf({"[Run]", "msiexec /qn /package other.msi"}), {{2, 1, "warning", "SC2011"}},
     "the msiexec package \"other.msi\" is not in the script's folder"},
    {"msiexec patch missing", CrLf({"[Run]", "msiexec /a \"Disk 1\\product.msi\" /p fix.msp"}),
     {{2, 1, "warning", "SC2011"}}, "package \"fix.msp\""},
    {"msiexec package above the folder", CrLf({"[Run]", "msiexec /i ..\\product.msi"}), {{2, 1, "warning", "SC2011"}},
     "package \"..\\product.msi\" lies outside"},
    {"system program's name in a folder", CrLf({"[Run]", "tools\\msiexec /i product.msi"}),
     {{2, 1, "warning", "SC2011"}}, "program \"tools\\msiexec.exe\""},
    {"run program above the folder", CrLf({"[Run]", "Disk 1\\..\\..\\install.exe"}), {{2, 1, "warning", "SC2011"}}},
    {"surrogate bytes are no UTF-8", kRun + CrLf({"[Title]", "A\xED\xA0\x80"}), {}},
    {"header with a blank in a notice", kRun + CrLf({"[RegText]", "Old", "[Ok] "}), {{5, 1, "warning", "SC2003"}}},
    {"1001 warnings", kRun + RepeatedLines(" x", 1001), WarningsPastTheCap(), "1 more warnings"},
    {"every error in one pass", kRun + CrLf({"[Title]", "x", "bad", "[Ok]", "Go", "also bad"}),
     {{5, 1, "error", "SC1001"}, {8, 1, "error", "SC1001"}},
     "\"Error: also bad\": where a section header is expected, only a header, an empty or comment line, or a line "
     "beginning with a blank may stand (not reached: the launcher ends at line 5 first)"},
    {"over the line limit told once", kRun + "[Message]\r\n" + RepeatedLines("x", 302), {{304, 1, "error", "SC1003"}}},
    {"columns after broken UTF-8", "\xEF\xBB\xBF[Run]\r\nsetup.exe A\xC0\xC0;b\r\n", {{2, 14, "warning", "SC2007"}}},
    {"UTF-8 mark before line 1", "\xEF\xBB\xBF" "bad\r\n" + kRun, {{1, 1, "error", "SC1001"}}},
    {"UTF-16 columns count code units",
     Utf16Le(u"x\r\n[Run]\r\nsetup.exe /\U0001F600;b\r\n[RegVersion]\r\n\u00E9 \r\n"),
     {{1, 1, "error", "SC1001"}, {3, 14, "warning", "SC2007"}, {5, 2, "warning", "SC2008"}, {5, 1, "warning", "SC2005"}}},
    {"UTF-16 big-endian columns", Utf16(u"[Run]\r\nsetup.exe \u20AC ;x\r\n", true),
     {{2, 12, "warning", "SC2008"}, {2, 13, "warning", "SC2007"}}},
    {"UTF-8 character cut by a piece", "\xEF\xBB\xBF" + kRun + CrLf({std::string(1498, 'a') + "\xC3\xA9"}),
     {{3, 1, "error", "SC1001"}, {3, 1499, "error", "SC1001"}}, "a\xEF\xBF\xBD\": where"},
    {"UTF-16 character cut by a piece", Utf16Le(u"[Run]\r\ninstall.exe\r\n" + std::u16string(1498, u'a') + u"\u20AC\r\n"),
     {{3, 1, "error", "SC1001"}, {3, 1499, "error", "SC1001"}}, "a\xEF\xBF\xBD\": where"},
    {"ANSI quoted from code page 1252, controls escaped", kRun + CrLf({"\x80 \x1b[2J\r"}), {{3, 1, "error", "SC1001"}},
     "\"Error: \xE2\x82\xAC \\x1b[2J\\r\""},
    {"ANSI quoted from code page 932", kRun + CrLf({"\x82\xA0\x82"}), {{3, 1, "error", "SC1001"}},
     "\"Error: \xE3\x81\x82\xEF\xBF\xBD\"", 932},
    // Laid out by the Unicode rules: each word is cut where it fills 17 lines, not
    // set one character a line (some 2,000 lines).
    // With the font's table: a character it does not have is counted as the widest,
    // noted once; the limit is then an error only when it is hit with those
    // characters taken as nothing too.
    {"limit resting on guessed widths", "\xEF\xBB\xBF" + kRun + "[Message]\r\n" + RepeatedLines(Repeated("\xF0\x9F\x98\x80", 370), 300),
     {{4, 1, "note", "SC3003"}, {129, 1, "warning", "SC1006"}}, {}, 1252, 0},
    {"Japanese lines in the font's table", "\xEF\xBB\xBF" + kRun + "[Message]\r\n" + RepeatedLines(Repeated("\xE6\xBC\xA2", 30), 40),
     {}, {}, 1252, 0},
    {"limit hit whatever the guesses", "\xEF\xBB\xBF" + kRun + "[Message]\r\n" + RepeatedLines("\xF0\x9F\x98\x80" + std::string(700, 'a'), 300),
     {{4, 1, "note", "SC3003"}, {119, 1, "error", "SC1006"}}, {}, 1252, 0},
    {"long words of a Unicode script", "\xEF\xBB\xBF" + kRun + CrLf({"[Message]", std::string(1000, 'a'), std::string(1000, 'b')}),
     {}},
};

void PrintTo(const CheckCase& checkCase, std::ostream* os) { *os << checkCase.pszName; }

// The checker's Unicode break finder: where characters begin (| before a byte) and
// where a line may break (^ before it, a character begins there too).
TEST(CheckerBreakFinder, MarksGraphemesAndLineBreaks)
{
    const struct {
        std::string text;
        std::string flags;
    } cases[] = {
        {"ab cd", "|||^|"},
        {"\xE6\xBC\xA2\xE5\xAD\x97" "a", "|..^..^"},// ideographs break on both sides
        {"well-known", "|||||^||||"},                      // after a hyphen
        {"e\xCC\x81" " x", "|..|^"},                      // a combining accent stays with its letter
        {"\xF0\x9F\x98\x80!", "|...|"},                    // a character beyond the BMP, then no break before '!'
    };
    for (const auto& c : cases) {
        std::string flags(c.text.size(), '\0');
        ASSERT_TRUE(kCheckerBreakFinder(c.text.c_str(), static_cast<int>(c.text.size()),
                                        reinterpret_cast<unsigned char*>(&flags[0])));
        std::string shown;
        for (const char f : flags) {
            shown += (f & AFX_BREAK_BEFORE) != 0 ? '^' : (f & AFX_CHAR_STOP) != 0 ? '|' : '.';
        }
        EXPECT_EQ(shown, c.flags) << c.text;
    }
}

class SetupCheckTest : public ::testing::TestWithParam<CheckCase> {
protected:
    void SetUp() override
    {
        sim::Reset();
        for (const char* pszProgram : {"install.exe", "setup.exe", "Disk 1\\Setup.exe", "\xC3\xA4rger\\x.exe",
                                       "Disk 1\\Product.msi"}) {
            sim::AddFile(pszProgram, "");
        }
    }
};

// A case checked, and its findings as its text output lines give them.
struct Outputs {
    std::vector<Located> found;
    std::string fromText;  // "line:column:severity:code" lines
    std::string json;      // the JSON array
    bool bQuoted = false;
    bool bFails[2] = {};  // without and with --werror
};

Outputs Check(const CheckCase& c)
{
    sim::AddFile("case.ini", c.script);
    EXPECT_TRUE(ConsoleSetCodePage(c.nCodePage));
    const CheckResult result = CheckScript("case.ini", c.script, CTextWidths(c.nCharWidth));
    ConsoleSetCodePage(1252);
    EXPECT_FALSE(result.bReadError);
    const CLineIndex index(c.script);
    Outputs out;
    out.json = "[";
    out.bQuoted = c.quote.empty();
    for (const Finding& finding : result.findings) {
        int nLine = 0;
        int nColumn = 0;
        index.Locate(finding.nOffset, &nLine, &nColumn);
        const std::string line = FormatFindingText("case.ini", nLine, nColumn, finding);
        char szSeverity[8] = {};
        char szCode[8] = {};
        EXPECT_EQ(std::sscanf(line.c_str(), "case.ini:%d:%d: %7[a-z]: ", &nLine, &nColumn, szSeverity), 3) << line;
        EXPECT_EQ(std::sscanf(line.c_str() + line.rfind(" ["), " [%7[A-Z0-9]]", szCode), 1) << line;
        EXPECT_EQ(std::count_if(line.begin(), line.end(), [](char ch) { return ch >= 0 && ch < 0x20; }), 0) << line;
        out.found.emplace_back(nLine, nColumn, szSeverity, szCode);
        out.fromText += std::to_string(nLine) + ":" + std::to_string(nColumn) + ":" + szSeverity + ":" + szCode + ":";
        for (const unsigned char ch : finding.text) {
            out.fromText += "0123456789abcdef"[ch >> 4] + std::string(1, "0123456789abcdef"[ch & 0xF]);
        }
        out.fromText += "\n";
        out.bQuoted = out.bQuoted || line.find(c.quote) != std::string::npos;
        out.json += (out.json.size() > 1 ? "," : "") + FormatFindingJson("case.ini", nLine, nColumn, finding);
        out.bFails[0] = out.bFails[0] || FailsCheck(finding, false);
        out.bFails[1] = out.bFails[1] || FailsCheck(finding, true);
    }
    out.json += "]";
    return out;
}

TEST_P(SetupCheckTest, FindsWhatTheLauncherWouldSay)
{
    const CheckCase& c = GetParam();
    Outputs out = Check(c);
    std::sort(out.found.begin(), out.found.end());
    std::vector<Located> expected = c.expected;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(out.found, expected);
    EXPECT_TRUE(out.bQuoted) << c.quote;
    const auto expects = [&expected](const char* pszSeverity) {
        return std::any_of(expected.begin(), expected.end(),
                           [pszSeverity](const Located& l) { return std::get<2>(l) == pszSeverity; });
    };
    EXPECT_EQ(out.bFails[0], expects("error"));
    EXPECT_EQ(out.bFails[1], expects("error") || expects("warning"));
}

// The JSON output of every case, read by a JSON parser, says what its text output
// says, and each message is the finding's text exactly.
TEST(SetupCheckJsonTest, SaysWhatTheTextSays)
{
    std::string json = "[";
    std::string fromText;
    for (const CheckCase& c : kCases) {
        sim::Reset();
        const Outputs out = Check(c);
        json += (json.size() > 1 ? "," : "") + out.json;
        fromText += out.fromText + "--\n";
    }
    EXPECT_EQ(OutputOf("python3 -c 'import json, sys\nfor a in json.load(sys.stdin):\n for f in a: print(\"%d:%d:%s:%s:%s\" "
                       "% (f[\"line\"], f[\"column\"], f[\"severity\"], f[\"code\"], f[\"message\"].encode().hex()))\n"
                       " print(\"--\")'",
                       json + "]"),
              fromText);
}

// --lang previews the message of the section the launcher would choose for that user:
// the script of the user's region, in either order of the sections.
TEST(SetupCheckLanguageTest, PreviewsTheUsersScript)
{
    const std::string hans = CrLf({"[Message.zh-Hans]", "Hans"});
    const std::string hant = CrLf({"[Message.zh-Hant]", "Hant"});
    for (const std::string& script : {kRun + hans + hant, kRun + hant + hans}) {
        sim::Reset();
        sim::AddFile("case.ini", script);
        for (const std::string tag : {"zh-TW", "zh-HK", "zh-CN"}) {
            const CheckResult result = CheckScript("case.ini", script, CTextWidths(7), tag.c_str());
            EXPECT_EQ(result.message.substr(0, 4), tag == "zh-CN" ? "Hans" : "Hant") << tag << "\n" << script;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Scripts, SetupCheckTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<CheckCase>& info) {
                             std::string name = info.param.pszName;
                             for (char& c : name) {
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             }
                             return name;
                         });

}  // namespace
