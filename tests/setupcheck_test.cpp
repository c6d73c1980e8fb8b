// The script checker's findings: small scripts, each with every finding expected of
// it (line, column, severity, code), checked as the launcher's parser reads them,
// through the text output and through the JSON output read by a JSON parser.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "checker/pe_resource.h"
#include "checker/script_check.h"
#include "backend/console/console_system.h"
#include "backend/sim/sim.h"
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
    // Whole finding texts, each ending in its code: each is in exactly one text
    // output line, where the text carries meaning (numbers, defaults, "not reached").
    std::vector<std::string> texts = {};
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
     {{2, 1, "error", "SC1002"}, {1, 1, "warning", "SC2009"}}, {}, 1252, 7,
     {"\"Line too long\": a [Message] line must stay under 1498 characters, and under 1499 once each tab is 8 spaces; "
      "this one has 1601 with its tabs expanded [SC1002]"}},
    // Under 1498 characters as written, over the limit once its tab is expanded.
    {"too long by a tab", CrLf({"[Message]", std::string(700, 'a') + "\t" + std::string(796, 'a')}),
     {{2, 1, "error", "SC1002"}, {1, 1, "warning", "SC2009"}}, {}, 1252, 7, {"this one has 1504 with its tabs expanded [SC1002]"}},
    {"301 notice lines", "[RegText]\r\n" + RepeatedLines("x", 301), {{302, 1, "error", "SC1003"}, {1, 1, "warning", "SC2009"}}},
    {"bad root key", kRun + CrLf({"[Rootkey]", "HKCU", "[RegKey]", "Software\\P", "[RegVersion]", "1.0", "[RegText]", "Old"}),
     {{4, 1, "error", "SC1005"}}},
    {"1501 display lines", kRun + "[Message]\r\n" + RepeatedLines(kWords60, 300), {{254, 1, "error", "SC1006"}}},
    // The language's tag in capitals, its header in lower case: found all the same.
    {"1501 display lines in one language", kRun + CrLf({"[Message]", "Hi", "[message.FR]"}) + RepeatedLines(kWords60, 300),
     {{256, 1, "error", "SC1006"}, {1, 1, "note", "SC3004"}}, "[Message.FR]: \"Maximum number of view lines"},
    {"a language's line too long", CrLf({"[Message.fr]", std::string(1498, 'a')}),
     {{2, 1, "error", "SC1002"}, {1, 1, "warning", "SC2009"}, {1, 1, "note", "SC3004"}, {1, 1, "warning", "SC2012"}},
     "a [Message.fr] line must"},
    {"every section only tagged",
     CrLf({"[Title.de]", "T", "[Message.de]", "M", "[Ok.de]", "O", "[Cancel.de]", "C", "[Run.de]", "r", "[RegText.de]", "N"}),
     {{1, 1, "warning", "SC2009"}, {1, 1, "note", "SC3004"}, {1, 1, "warning", "SC2012"}, {3, 1, "warning", "SC2012"},
      {5, 1, "warning", "SC2012"}, {7, 1, "warning", "SC2012"}, {9, 1, "warning", "SC2012"}, {10, 1, "warning", "SC2011"},
      {11, 1, "warning", "SC2012"}},
     {}, 1252, 7,
     {"[Title.de] has no untagged [Title]: users of other languages get an empty caption [SC2012]",
      "[Message.de] has no untagged [Message]: users of other languages get no message [SC2012]",
      "[Ok.de] has no untagged [Ok]: users of other languages get the caption Ok [SC2012]",
      "[Cancel.de] has no untagged [Cancel]: users of other languages get the caption Cancel [SC2012]",
      "[Run.de] has no untagged [Run]: users of other languages get no command [SC2012]",
      "[RegText.de] has no untagged [RegText]: users of other languages get no notice [SC2012]"}},
    {"a tagged section alone", kRun + CrLf({"[Title]", "T", "[Title.de]", "D", "[Ok.fr]", "Los", "[OK.de]", "Los"}),
     {{1, 1, "note", "SC3004"}, {7, 1, "warning", "SC2012"}}, "languages: de, fr;"},
    {"line of exactly a page", kRun + "[Message]\r\n" + RepeatedLines(kWords60 + kWords60 + kWords60 + "word word", 1), {}},
    {"line of a page and a line", kRun + "[Message]\r\n" + RepeatedLines(Repeated("word ", 188), 1),
     {{4, 1, "note", "SC3001"}}, {}, 1252, 7,
     {"this line wraps into 18 display lines; the window shows 17 without scrolling [SC3001]"}},
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
    {"a command of one character", CrLf({"[Run]", "x"}), {{2, 1, "warning", "SC2011"}}},
    {"the launcher ends at line 1", CrLf({"bad", "[Title]"}),
     {{1, 1, "error", "SC1001"}, {2, 1, "error", "SC1004"}, {1, 1, "warning", "SC2009"}}, {}, 1252, 7,
     {"[Title] has no value before the end of the file: the launcher ends without a message (not reached: the "
      "launcher ends at line 1 first) [SC1004]"}},
    {"UTF-8 without a BOM", kRun + CrLf({"[Title]", "Caf\xC3\xA9"}), {{4, 4, "warning", "SC2010"}}},
    {"ANSI bytes", kRun + CrLf({"[Title]", "Caf\xE9"}), {}},
    {"UTF-16 counts its own line feeds", Utf16Le(u"[Run]\r\ninstall.exe\r\n[Title]\r\n\u010A\r\nbad\r\n"),
     {{5, 1, "error", "SC1001"}}},
    {"UTF-8 with a BOM", "\xEF\xBB\xBF" + kRun + CrLf({"[Title]", "Caf\xC3\xA9"}), {}},
    {"run program in a folder in another case", CrLf({"[Run]", "DISK 1\\.\\setup /s"}), {}},
    {"run program named in UTF-8", "\xEF\xBB\xBF" + CrLf({"[Run]", "\xC3\xA4rger\\x.exe"}), {}},
    {"run program named in ANSI", CrLf({"[Run]", "\xE4rger\\x.exe"}), {}},
    {"run program missing", CrLf({"[Run]", "disk1\\setup.exe /s"}), {{2, 1, "warning", "SC2011"}}, {}, 1252, 7,
     {"the [Run] program \"disk1\\setup.exe\" is not in the script's folder, in any letter case: the default button "
      "would fail to start it [SC2011]"}},
    {"run program on a drive", CrLf({"[Run]", "C:\\setup.exe /s"}), {{2, 1, "warning", "SC2011"}}, {}, 1252, 7,
     {"the [Run] program \"C:\\setup.exe\" lies outside the script's folder: it cannot be checked, and on another "
      "machine or medium it may not be there [SC2011]"}},
    // The trail byte 0x5C of a double-byte character, then a separator.
    {"run program in a double-byte folder", CrLf({"[Run]", "\x83\x5C\\setup.exe"}), {}, {}, 932},
    // Each language's [Run], classified by the parser whatever its letter case: its
    // last value is checked, and the finding names its section.
    {"a language's run program missing", kRun + CrLf({"[Run.de]", "de\\installieren.exe /s"}),
     {{4, 1, "warning", "SC2011"}, {1, 1, "note", "SC3004"}}, "[Run.de]: the [Run] program \"de\\installieren.exe\""},
    {"blanks after a language's run program", kRun + CrLf({"[run.DE]", "setup.exe "}),
     {{4, 10, "warning", "SC2008"}, {1, 1, "note", "SC3004"}}, "the [run.DE] value"},
    {"a language's last run program counts", kRun + CrLf({"[Run.de]", "gone.exe", "[RUN.De]", "setup.exe", "[Run.fr]", "x.exe"}),
     {{5, 1, "warning", "SC2004"}, {1, 1, "note", "SC3004"}, {8, 1, "warning", "SC2011"}}, "[Run.fr]: the"},
    {"a language's section twice", kRun + CrLf({"[Title]", "T", "[Title.de]", "A", "[Title]", "B", "[TITLE.DE]", "C"}),
     {{7, 1, "warning", "SC2004"}, {9, 1, "warning", "SC2004"}, {1, 1, "note", "SC3004"}}, "[TITLE.DE] is given again (also on line 5)"},
    // A tag where none is taken: one error that says which sections take one, and
    // nothing of its value or of the section it leaves missing.
    {"a tag on a section that takes none", kRun + CrLf({"[RegKey]", "Software\\P", "[RegVersion.de]", "", "; c", "1.0", "[RegText]", "Old"}),
     {{5, 1, "error", "SC1001"}},
     "\"Error: [RegVersion.de]\": [RegVersion] takes no language tag, so this is no header; only [Title], [Message], "
     "[Ok], [Cancel], [Run], [RegText] are given in languages"},
    {"a tag on the root key, then a bad line", kRun + CrLf({"[Rootkey.x]", "HKCU", "bad"}),
     {{3, 1, "error", "SC1001"}, {5, 1, "error", "SC1001"}}, "[Rootkey] takes no language tag"},
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
    // The launcher ends at the first error; each later one names that line, and a
    // warning, which does not end it, is never "not reached".
    {"every error in one pass",
     kRun + CrLf({"[Title]", "x", "bad", "[Message]", std::string(1498, 'a'), "[Rootkey]", "HKCU", "[RegKey]", "K",
                  "[RegVersion]", "1", "[RegText]", "Old", "[Ok]", "Go ;x", "also bad"}),
     {{5, 1, "error", "SC1001"}, {7, 1, "error", "SC1002"}, {9, 1, "error", "SC1005"}, {17, 4, "warning", "SC2007"},
      {18, 1, "error", "SC1001"}}, {}, 1252, 7,
     {"\"Error: bad\": where a section header is expected, only a header, an empty or comment line, or a line "
      "beginning with a blank may stand [SC1001]",
      "\"Line too long\": a [Message] line must stay under 1498 characters, and under 1499 once each tab is 8 spaces; "
      "this one has 1498 or more (not reached: the launcher ends at line 5 first) [SC1002]",
      "\"HKCU is a bad root key.\": the launcher ends; a root key is HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, "
      "HKEY_LOCAL_MACHINE or HKEY_USERS, in capitals (not reached: the launcher ends at line 5 first) [SC1005]",
      "the value of [Ok] ends at this ';': the rest of the line is a comment [SC2007]",
      "\"Error: also bad\": where a section header is expected, only a header, an empty or comment line, or a line "
      "beginning with a blank may stand (not reached: the launcher ends at line 5 first) [SC1001]"}},
    {"over the line limit told once", kRun + "[Message]\r\n" + RepeatedLines("x", 302), {{304, 1, "error", "SC1003"}}},
    {"columns after broken UTF-8", "\xEF\xBB\xBF[Run]\r\nsetup.exe A\xC0\xC0;b\r\n", {{2, 14, "warning", "SC2007"}}},
    {"UTF-8 mark before line 1", "\xEF\xBB\xBF" "bad\r\n" + kRun, {{1, 1, "error", "SC1001"}}},
    {"finding at the first byte of a UTF-16 file", Utf16Le(u"[Title]\r\nT\r\n"), {{1, 1, "warning", "SC2009"}}},
    {"finding at the first byte of a UTF-8 file", "\xEF\xBB\xBF[Title]\r\nT\r\n", {{1, 1, "warning", "SC2009"}}},
    {"UTF-16 columns count code units",
     Utf16Le(u"x\r\n[Run]\r\nsetup.exe /\U0001F600;b\r\n[RegVersion]\r\n\u00E9 \r\n"),
     {{1, 1, "error", "SC1001"}, {3, 14, "warning", "SC2007"}, {5, 2, "warning", "SC2008"}, {5, 1, "warning", "SC2005"}}},
    {"UTF-16 big-endian columns", Utf16(u"[Run]\r\nsetup.exe \u20AC ;x\r\n", true),
     {{2, 12, "warning", "SC2008"}, {2, 13, "warning", "SC2007"}}},
    {"UTF-8 character cut by a piece", "\xEF\xBB\xBF" + kRun + CrLf({std::string(1498, 'a') + "\xC3\xA9"}),
     {{3, 1, "error", "SC1001"}, {3, 1499, "error", "SC1001"}}, "a\xEF\xBF\xBD\": where"},
    {"4-byte character cut after 3 bytes", "\xEF\xBB\xBF" + kRun + CrLf({std::string(1496, 'a') + "\xF0\x9F\x98\x80"}),
     {{3, 1, "error", "SC1001"}, {3, 1497, "error", "SC1001"}}, "aa\xEF\xBF\xBD\": where"},
    {"UTF-16 character cut by a piece", Utf16Le(u"[Run]\r\ninstall.exe\r\n" + std::u16string(1498, u'a') + u"\u20AC\r\n"),
     {{3, 1, "error", "SC1001"}, {3, 1499, "error", "SC1001"}}, "a\xEF\xBF\xBD\": where"},
    {"ANSI quoted from code page 1252, controls escaped", kRun + CrLf({"\x80 \x1b[2J\r"}), {{3, 1, "error", "SC1001"}},
     "\"Error: \xE2\x82\xAC \\x1b[2J\\r\""},
    {"ANSI quoted from code page 932", kRun + CrLf({"\x82\xA0\x82"}), {{3, 1, "error", "SC1001"}},
     "\"Error: \xE3\x81\x82\xEF\xBF\xBD\"", 932},
    // Windows converts the bytes code page 1252 leaves undefined to the controls of
    // the same value, and the launcher's box shows them so.
    {"ANSI bytes code page 1252 leaves undefined", kRun + CrLf({"\x81\x8D"}), {{3, 1, "error", "SC1001"}},
     "\"Error: \\u0081\\u008d\""},
    // Kana of 11 pixels, not two bytes of code page 1252 (8 pixels): 6 display lines
    // a line, not 4.
    // The table's widths and average width: 59 letters of 7 pixels a display line.
    {"a long line in the font's table", "\xEF\xBB\xBF" + kRun + CrLf({"[Message]", std::string(1004, 'a')}),
     {{4, 1, "note", "SC3001"}}, {}, 1252, 0},
    // Code page 1252 from the byte table, which has every byte: nothing is guessed.
    {"code page 1252 measured from its byte table", kRun + CrLf({"[Message]", "\x81 x"}), {}, {}, 1252, 0},
    {"double-byte characters measured as in Unicode", kRun + "[Message]\r\n" +
     RepeatedLines(Repeated("\x82\xA0\x82\xA0\x82\xA0\x82\xA0 ", 41), 300), {{254, 1, "error", "SC1006"}}, {}, 932, 0},
    {"unmapped double-byte pair", kRun + CrLf({"\x85\x40x"}), {{3, 1, "error", "SC1001"}}, "\"Error: \xEF\xBF\xBDx\"", 932},
    {"C1 controls escaped", "\xEF\xBB\xBF" + kRun + CrLf({"a\xC2\x80\xC2\x9F\xC2\xA0\x7F"}), {{3, 1, "error", "SC1001"}},
     "\"Error: a\\u0080\\u009f\xC2\xA0\\x7f\""},
    // Laid out by the Unicode rules: each word is cut where it fills 17 lines, not
    // set one character a line (some 2,000 lines).
    // With the font's table: a character it does not have is counted as the widest,
    // noted once; the limit is then an error only when it is hit with those
    // characters taken as nothing too.
    {"limit resting on guessed widths", "\xEF\xBB\xBF" + kRun + "[Message]\r\n" + RepeatedLines(Repeated("\xF0\x9F\x98\x80", 370), 300),
     {{4, 1, "note", "SC3003"}, {129, 1, "warning", "SC1006"}}, {}, 1252, 0},
    // The table's widths of code page 1252, a byte each: 13 words a line, not twice as many.
    {"ANSI line in the font's table", kRun + "[Message]\r\n" + Repeated("word ", 299) + "\r\n", {{4, 1, "note", "SC3001"}},
     {}, 1252, 0, {"this line wraps into 23 display lines; the window shows 17 without scrolling [SC3001]"}},
    {"note on the line of the missing character",
     "\xEF\xBB\xBF" + kRun + CrLf({"[Message]", "abc", "\xF0\x9F\x98\x80 x", "def", "gh\xF0\x9F\x98\x80"}),
     {{5, 1, "note", "SC3003"}}, {}, 1252, 0,
     {"this line has a character that is not in the checker's table of the font: it is counted as the widest one, so "
      "the line counts may be more than the launcher's [SC3003]"}},
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

// The bytes of a character in UTF-8.
std::string Utf8Of(std::uint32_t c)
{
    if (c < 0x80) {
        return std::string(1, static_cast<char>(c));
    }
    const int nLength = c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    std::string bytes(static_cast<std::size_t>(nLength), '\0');
    for (int i = nLength - 1; i > 0; --i, c >>= 6) {
        bytes[static_cast<std::size_t>(i)] = static_cast<char>(0x80 | (c & 0x3F));
    }
    bytes[0] = static_cast<char>((0xF00u >> nLength) | c);
    return bytes;
}

// The native font's table at its edges: the first and the last character of each
// run of one width measure that width, and a character between two runs is one the
// table lacks.
TEST(CheckerFontTable, EdgesOfEveryWidthRun)
{
    const struct {
        std::uint32_t nFirst;
        std::uint32_t nLast;
        int nWidth;
    } runs[] = {
#include "checker/default_font_unicode_widths.inc"
    };
    const CTextWidths widths;
    const auto width = [&widths](std::uint32_t c) {
        const std::string bytes = Utf8Of(c);
        return widths.Width(bytes.c_str(), static_cast<int>(bytes.size()), AfxTextEncoding::Utf8);
    };
    const auto isGuessed = [&widths](std::uint32_t c) {
        return widths.FirstGuess(Utf8Of(c).c_str(), AfxTextEncoding::Utf8) != nullptr;
    };
    for (std::size_t i = 0; i < std::size(runs); ++i) {
        for (const std::uint32_t c : {runs[i].nFirst, runs[i].nLast}) {
            EXPECT_EQ(width(c), runs[i].nWidth) << std::hex << c;
            EXPECT_FALSE(isGuessed(c)) << std::hex << c;
        }
        const bool bGapAfter = i + 1 == std::size(runs) || runs[i + 1].nFirst > runs[i].nLast + 1;
        EXPECT_EQ(isGuessed(runs[i].nLast + 1), bGapAfter) << std::hex << runs[i].nLast + 1;
        if (i == 0 && runs[0].nFirst > 1) {
            EXPECT_TRUE(isGuessed(runs[0].nFirst - 1));
        }
    }
}

class SetupCheckTest : public ::testing::TestWithParam<CheckCase> {
protected:
    void SetUp() override
    {
        sim::Reset();
        for (const char* pszProgram : {"install.exe", "setup.exe", "Disk 1\\Setup.exe", "\xC3\xA4rger\\x.exe",
                                       "\xE3\x82\xBD\\setup.exe", "Disk 1\\Product.msi"}) {
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
    std::vector<std::string> lines;  // the text output
};

Outputs Check(const CheckCase& c)
{
    // No file of the script: the checker reads the bytes it is given, and nothing else.
    EXPECT_TRUE(ConsoleSetCodePage(c.nCodePage));
    sim::SetDoubleByteCodePage(c.nCodePage == 932);
    const CheckResult result = CheckScript(c.script, "", CTextWidths(c.nCharWidth, 96, c.nCodePage));
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
        out.lines.push_back(line);
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
    for (const std::string& text : c.texts) {
        EXPECT_EQ(std::count_if(out.lines.begin(), out.lines.end(),
                                [&text](const std::string& line) { return line.find(text) != std::string::npos; }),
                  1)
            << text << "\n" << ::testing::PrintToString(out.lines);
    }
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
        for (const std::string tag : {"zh-TW", "zh-HK", "zh-CN"}) {
            const CheckResult result = CheckScript(script, "", CTextWidths(7), tag.c_str());
            EXPECT_EQ(result.message.substr(0, 4), tag == "zh-CN" ? "Hans" : "Hant") << tag << "\n" << script;
        }
    }
}

// A small program file (PE32 or PE32+) with one section of resources: raw data
// (type 10) named OTHER, then sEaL, each in one language.
std::string PeImage(std::uint32_t nMagic)
{
    const std::size_t nDirectories = nMagic == 0x20b ? 0x58 + 112 : 0x58 + 96;  // 0x58: the optional header
    const std::size_t nSectionTable = nDirectories + 3 * 8;
    const std::size_t nRaw = 0x200;  // the section's bytes, at RVA 0x1000
    std::string image(nRaw + 0x100, '\0');
    const auto put = [&image](std::size_t nAt, std::uint32_t n) {
        for (std::size_t i = 0; i < 4; ++i, n >>= 8) {
            image[nAt + i] = static_cast<char>(n & 0xFF);
        }
    };
    const auto putText = [&image](std::size_t nAt, const std::string& text) { image.replace(nAt, text.size(), text); };
    putText(0, "MZ");
    put(0x3C, 0x40);
    putText(0x40, "PE");
    put(0x46, 1);  // one section
    put(0x54, static_cast<std::uint32_t>(nSectionTable - 0x58));
    put(0x58, nMagic);
    put(nDirectories - 4, 3);        // three data directories
    put(nDirectories + 16, 0x1000);  // the third: the resources
    put(nSectionTable + 12, 0x1000);
    put(nSectionTable + 16, 0x100);
    put(nSectionTable + 20, static_cast<std::uint32_t>(nRaw));
    const std::uint32_t kDir = 0x80000000u;
    put(nRaw + 0x0C, 1u << 16);  // the types: one by number
    put(nRaw + 0x10, 10);
    put(nRaw + 0x14, kDir | 0x18);
    put(nRaw + 0x18 + 0x0C, 2);  // the names: two by name
    put(nRaw + 0x28, kDir | 0xA0);
    put(nRaw + 0x2C, kDir | 0x38);
    put(nRaw + 0x30, kDir | 0xAC);
    put(nRaw + 0x34, kDir | 0x50);
    for (const std::uint32_t nLanguages : {0x38u, 0x50u}) {  // one language each
        put(nRaw + nLanguages + 0x0C, 1u << 16);
        put(nRaw + nLanguages + 0x10, 0x409);
        put(nRaw + nLanguages + 0x14, nLanguages + 0x30);
    }
    put(nRaw + 0x68, 0x10C0);
    put(nRaw + 0x6C, 5);
    put(nRaw + 0x80, 0x10C8);
    put(nRaw + 0x84, 6);
    putText(nRaw + 0xA0, std::string("\5\0O\0T\0H\0E\0R\0", 12));
    putText(nRaw + 0xAC, std::string("\4\0s\0E\0a\0L\0", 10));
    putText(nRaw + 0xC0, "other");
    putText(nRaw + 0xC8, "sealed");
    return image;
}

// One resource out of a program's bytes, by type and by name in any ASCII case; none
// from bytes that are no PE32 or PE32+ file or whose offsets lie outside them.
TEST(SetupCheckPeResource, FindsTheNamedResource)
{
    const struct {
        const char* pszWhat;
        std::uint32_t nMagic;
        unsigned nType;
        const char* pszName;
        std::size_t nPatchAt;  // 0: none
        std::uint32_t nPatch;
        const char* pszData;   // null: none found
    } cases[] = {
        {"PE32", 0x10b, 10, "SEAL", 0, 0, "sealed"},
        {"PE32+", 0x20b, 10, "seal", 0, 0, "sealed"},
        {"the first name", 0x10b, 10, "other", 0, 0, "other"},
        {"a name not there", 0x10b, 10, "SEALS", 0, 0, nullptr},
        {"a type not there", 0x10b, 3, "SEAL", 0, 0, nullptr},
        {"a magic of neither", 0x107, 10, "SEAL", 0, 0, nullptr},
        {"no PE signature", 0x10b, 10, "SEAL", 0x40, 0x4551, nullptr},
        {"resources outside the section", 0x10b, 10, "SEAL", 0xC8, 0x2000, nullptr},
        {"data past the section", 0x10b, 10, "SEAL", 0x284, 0x39, nullptr},
        {"a name entry off the end", 0x10b, 10, "SEAL", 0x230, 0x80010000, nullptr},
    };
    for (const auto& c : cases) {
        std::string image = PeImage(c.nMagic);
        if (c.nPatchAt != 0) {
            image.replace(c.nPatchAt, 4, reinterpret_cast<const char*>(&c.nPatch), 4);
        }
        std::string data;
        EXPECT_EQ(FindPeResource(image, c.nType, c.pszName, &data), c.pszData != nullptr) << c.pszWhat;
        EXPECT_EQ(data, c.pszData != nullptr ? c.pszData : "") << c.pszWhat;
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
