// The script line reader: which lines carry content and what is left of them.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "backend/sim/sim.h"
#include "script/script_file.h"

namespace {

// Every line ReadSignificantLine hands back, up to the end of the file.
std::vector<std::string> SignificantLines(const std::string& bytes, bool bDoubleByte = false)
{
    sim::Reset();
    sim::SetDoubleByteCodePage(bDoubleByte);
    sim::AddFile("setup.ini", bytes);
    CScriptFile file;
    EXPECT_TRUE(file.Open("setup.ini"));
    std::vector<std::string> lines;
    char szLine[SCRIPT_LINE_SIZE];
    while (file.ReadSignificantLine(szLine, SCRIPT_LINE_SIZE) != nullptr) {
        lines.emplace_back(szLine);
    }
    EXPECT_FALSE(file.HasReadError());
    return lines;
}

struct LineCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> expected;
};

const std::string k1499(1499, 'x');

const LineCase kLineCases[] = {
    {"trailing blank before a comment stays", "Value ; note\r\n", {"Value "}},
    {"trailing blanks without a comment stay", "Value  \t\r\n", {"Value  \t"}},
    {"cut at the first of several semicolons", "a;b;c\r\n", {"a"}},
    {"empty, blank and comment lines passed over",
     "\r\n   \r\n\t\r\n;comment\r\n ; indented comment\r\nnext\r\n",
     {"next"}},
    {"indented text passed over", "  text\r\n\ttext\r\nkept\r\n", {"kept"}},
    {"semicolon first means a comment", ";[Title]\r\n[Title]\r\n", {"[Title]"}},
    {"last line without a newline", "first\r\nlast", {"first", "last"}},
    {"no carriage return stands in a CR-LF result", "one\r\ntwo\r\n", {"one", "two"}},
    {"a lone carriage return stays in the text", "a\rb\r\n", {"a\rb"}},
    {"line feed alone ends a line", "a\nb\n", {"a", "b"}},
    {"Ctrl-Z ends the file", "a\r\n\x1A" "b\r\n", {"a"}},
    {"file of blank and comment lines only", "\r\n; one\r\n  \r\n", {}},
    {"empty file", "", {}},
    {"blank and comment lines after the last value", "v\r\n\r\n; end\r\n   \r\n", {"v"}},
    {"1499 characters and a newline: the newline left over is passed over", k1499 + "\r\nnext\r\n", {k1499, "next"}},
    {"1600 characters arrive as 1499 and 101", std::string(1600, 'y') + "\r\n",
     {std::string(1499, 'y'), std::string(101, 'y')}},
    {"rest of a long line that begins with a semicolon is a comment",
     std::string(1499, 'y') + ";rest\r\nnext\r\n", {std::string(1499, 'y'), "next"}},
    {"rest of a long line that begins with a blank is passed over", std::string(1499, 'y') + " rest\r\n",
     {std::string(1499, 'y')}},
    {"NUL inside a line ends its text", std::string("ab\0cd\r\nef\r\n", 11), {"ab", "ef"}},
};

// The test's description shows its parameter: by name, for the raw bytes of a case
// include the unset bytes of its strings' inline buffers.
void PrintTo(const LineCase& lineCase, std::ostream* os) { *os << lineCase.name; }

class LineReaderRules : public ::testing::TestWithParam<LineCase> {};

TEST_P(LineReaderRules, YieldsTheLinesWithContent)
{
    EXPECT_EQ(SignificantLines(GetParam().bytes), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(ScriptFile, LineReaderRules, ::testing::ValuesIn(kLineCases),
                         [](const ::testing::TestParamInfo<LineCase>& info) {
                             std::string name;
                             for (const char c : std::string(info.param.name)) {
                                 name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             }
                             return name;
                         });

// Lead bytes of the double-byte code page are 0x81-0x9F and 0xE0-0xFC.
TEST(ScriptFileDoubleByte, TrailByteIsNeverASemicolon)
{
    EXPECT_EQ(SignificantLines("A\x81;B;c\r\n", true), std::vector<std::string>{"A\x81;B"});
    EXPECT_EQ(SignificantLines("A\x81;B;c\r\n", false), std::vector<std::string>{"A\x81"});
}

TEST(ScriptFileDoubleByte, LeadByteBeforeNewlineTakesItAsTrailByte)
{
    // The newline is then part of the character, so it stays in the line.
    EXPECT_EQ(SignificantLines("A\x81\nnext\n", true), (std::vector<std::string>{"A\x81\n", "next"}));
}

TEST(ScriptFileDoubleByte, LeadByteAtTheEndOfTheTextIsKept)
{
    EXPECT_EQ(SignificantLines("A\x81", true), std::vector<std::string>{"A\x81"});
    EXPECT_EQ(SignificantLines(std::string("A\xE0\0;x\r\n", 7), true), std::vector<std::string>{"A\xE0"});
}

TEST(ScriptFileDoubleByte, LeadByteFirstIsNoBlank)
{
    EXPECT_EQ(SignificantLines("\x81 x\r\n", true), std::vector<std::string>{"\x81 x"});
}

TEST(ScriptFileErrors, ReadErrorEndsTheLinesAndIsTold)
{
    sim::Reset();
    sim::AddFile("setup.ini", "one\r\n" + std::string(9000, ';') + "\r\ntwo\r\n");
    sim::SetFileReadError("setup.ini", 5000);
    CScriptFile file;
    ASSERT_TRUE(file.Open("setup.ini"));
    char szLine[SCRIPT_LINE_SIZE];
    ASSERT_NE(file.ReadSignificantLine(szLine, SCRIPT_LINE_SIZE), nullptr);
    EXPECT_STREQ(szLine, "one");
    EXPECT_EQ(file.ReadSignificantLine(szLine, SCRIPT_LINE_SIZE), nullptr);
    EXPECT_TRUE(file.HasReadError());
}

}  // namespace
