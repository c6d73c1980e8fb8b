// The script checker's findings: small scripts, each with every finding expected of
// it (line, column, severity, code), checked as the launcher's parser reads them.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "checker/script_check.h"
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
};

const std::string kRun = "[Run]\r\ninstall.exe\r\n";
const std::string kWords60 = [] {
    std::string line;
    for (int i = 0; i < 60; ++i) {
        line += "word ";
    }
    return line;
}();

// A UTF-16 little-endian file with its byte-order mark.
std::string Utf16Le(const std::u16string& text)
{
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

const CheckCase kCases[] = {
    {"clean", kRun + CrLf({"[Title]", "Product", "[Message]", "Hello", "", "  indented text"}), {}},
    {"not a header", kRun + CrLf({"[Title]", "x", "bad line"}), {{5, 1, "error", "SC1001"}}},
    {"rest of an overlong value", kRun + CrLf({"[Title]", std::string(1600, 'x')}), {{4, 1500, "error", "SC1001"}}},
    {"header alone at the end", kRun + "[Title]", {{3, 1, "error", "SC1004"}}},
    {"message line too long", CrLf({"[Message]", std::string(1498, 'a')}), {{2, 1, "error", "SC1002"}}},
    {"too long with tabs", CrLf({"[Message]", std::string(200, '\t') + "x"}), {{2, 1, "error", "SC1002"}}},
    {"301 notice lines", "[RegText]\r\n" + RepeatedLines("x", 301), {{302, 1, "error", "SC1003"}}},
    {"bad root key", kRun + CrLf({"[Rootkey]", "HKCU", "[RegKey]", "Software\\P", "[RegVersion]", "1.0", "[RegText]", "Old"}),
     {{4, 1, "error", "SC1005"}}},
    {"1501 display lines", kRun + "[Message]\r\n" + RepeatedLines(kWords60, 300), {{254, 1, "error", "SC1006"}}},
    {"line longer than a page", kRun + "[Message]\r\n" + RepeatedLines(kWords60 + kWords60 + kWords60 + kWords60, 1),
     {{4, 1, "note", "SC3001"}}},
    {"indented text", kRun + CrLf({"  note to self", "[Title]", "\tnot the title", "T"}),
     {{3, 1, "warning", "SC2001"}, {5, 1, "warning", "SC2001"}}},
    {"value is a header", kRun + CrLf({"[Title]", "[Ok]", "Go"}), {{4, 1, "warning", "SC2002"}, {5, 1, "error", "SC1001"}}},
    {"header with blanks", kRun + CrLf({" [Title]", "[Message]", "[Ok] ", "[Cancel];x"}),
     {{3, 1, "warning", "SC2003"}, {5, 1, "warning", "SC2003"}, {6, 1, "warning", "SC2003"}}},
    {"section twice", kRun + CrLf({"[Ok]", "Yes", "[OK]", "Go"}), {{5, 1, "warning", "SC2004"}}},
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
    {"run program above the folder", CrLf({"[Run]", "Disk 1\\..\\..\\install.exe"}), {{2, 1, "warning", "SC2011"}}},
};

class SetupCheckTest : public ::testing::TestWithParam<CheckCase> {
protected:
    void SetUp() override
    {
        sim::Reset();
        for (const char* pszProgram : {"install.exe", "setup.exe", "Disk 1\\Setup.exe", "\xC3\xA4rger\\x.exe"}) {
            sim::AddFile(pszProgram, "");
        }
    }
};

TEST_P(SetupCheckTest, FindsWhatTheLauncherWouldSay)
{
    const CheckCase& c = GetParam();
    sim::AddFile("case.ini", c.script);
    const CheckResult result = CheckScript("case.ini", c.script, CCharWidths(7));
    ASSERT_FALSE(result.bReadError);
    const CLineIndex index(c.script);
    std::vector<Located> found;
    for (const Finding& finding : result.findings) {
        int nLine = 0;
        int nColumn = 0;
        index.Locate(finding.nOffset, &nLine, &nColumn);
        found.emplace_back(nLine, nColumn, SeverityName(finding.severity), finding.pszCode);
    }
    std::sort(found.begin(), found.end());
    std::vector<Located> expected = c.expected;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(found, expected);
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
