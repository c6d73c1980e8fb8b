// The collection of bad scripts in tests/bad_scripts/, one file per case: each goes
// through the real parser, and then through a whole program run, on the simulated
// platform. The table below holds what each file must yield: whether it loads, the
// message boxes, and the fields that tell it apart. Every file needs a row and every
// row a file.
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "launcher_run.h"
#include "script_test_support.h"
#include "ui/setup_frame.h"

namespace {

using script_test::ShownTexts;
using Texts = std::vector<std::string>;

const char kTooLong[] = "Line too long";
const char kTooMany[] = "Maximum number of lines exceeded";

enum class Field { Title, Message, Ok, Cancel, Run, RegText0, RegText1, RegText99, RegText100, RegText299,
                   MessageLines, RegTextLines };
using Fields = std::vector<std::pair<Field, std::string>>;

struct BadScript {
    std::string file;
    bool bDoubleByte;
    bool bLoads;
    Texts boxes;
    Fields fields;
};

std::string Rep(char c, int n) { return std::string(static_cast<std::size_t>(n), c); }

std::string Error(const std::string& line) { return "Error: " + line; }

// "prefix 1\n" to "prefix n\n".
std::string NumberedLines(const std::string& prefix, int n)
{
    std::string text;
    for (int i = 1; i <= n; ++i) {
        text += prefix + std::to_string(i) + "\n";
    }
    return text;
}

std::vector<BadScript> Collection()
{
    std::vector<BadScript> cases = {
        // Not a script at all: the first line with content is the error.
        {"binary_junk.ini", false, false, {Error("\x89PNG")}, {}},
        {"long_junk_without_newline.ini", false, false, {Error(Rep('A', 1499))}, {}},
        // A NUL ends the text of its line, newline included; a Ctrl-Z ends the file.
        {"nul_in_value.ini", false, true, {}, {{Field::Title, "At"}, {Field::Ok, "Go"}}},
        {"nul_at_line_start.ini", false, false, {Error("T")}, {}},
        {"nul_in_message.ini", false, true, {}, {{Field::Message, "abef\n"}, {Field::MessageLines, "2"}, {Field::Ok, "Go"}}},
        {"ctrl_z_between_sections.ini", false, true, {}, {{Field::Title, "T"}, {Field::Ok, "Ok"}}},
        {"ctrl_z_in_message.ini", false, true, {}, {{Field::Message, "one\ntw"}, {Field::MessageLines, "2"}, {Field::Ok, "Ok"}}},
        // Line ends: a CR alone is text; LF alone and mixed ends read as CR-LF does.
        {"lone_cr_after_header.ini", false, false, {Error("[Title]\rT")}, {}},
        {"lone_cr_in_message.ini", false, true, {}, {{Field::Message, "a\rb\n"}, {Field::Ok, "Go"}}},
        {"cr_only_line_ends.ini", false, false, {Error("[Title]\rT\r[Ok]\rGo\r")}, {}},
        {"lf_only_line_ends.ini", false, true, {},
         {{Field::Title, "T"}, {Field::Message, "line one\nline two\n"}, {Field::RegText0, "notice"}, {Field::Ok, "Go"}}},
        {"mixed_line_ends.ini", false, true, {},
         {{Field::Message, "a\nb\n"}, {Field::RegText0, "x"}, {Field::RegText1, "y"}, {Field::Title, "T"}}},
        {"crlf_across_buffer.ini", false, true, {},
         {{Field::Message, [] {
               std::string text;
               for (int i = 0; i < 40; ++i) {
                   text += "word word word word word word word word word word word word word word word word word word "
                           "word word\n";
               }
               return text + "word word word word word word words\n";
           }()},
          {Field::MessageLines, "41"},
          {Field::Title, "T"}}},
        // Long lines: a value keeps 1499 characters and the rest is a line of its own;
        // a [Message] line of 1498 characters and its newline fills the read and fails.
        {"title_1498.ini", false, true, {}, {{Field::Title, Rep('t', 1498)}, {Field::Ok, "Go"}}},
        {"title_1499.ini", false, true, {}, {{Field::Title, Rep('t', 1499)}, {Field::Ok, "Go"}}},
        {"title_1500.ini", false, false, {Error("t")}, {{Field::Title, Rep('t', 1499)}}},
        {"title_1501.ini", false, false, {Error("tt")}, {{Field::Title, Rep('t', 1499)}}},
        {"message_1497.ini", false, true, {}, {{Field::Message, Rep('m', 1497) + "\n"}, {Field::Ok, "Go"}}},
        {"message_1498.ini", false, false, {kTooLong}, {{Field::Message, "(null)"}}},
        {"message_1499.ini", false, false, {kTooLong}, {{Field::Message, "(null)"}}},
        {"message_1500.ini", false, false, {kTooLong}, {{Field::Message, "(null)"}}},
        {"message_1501.ini", false, false, {kTooLong}, {{Field::Message, "(null)"}}},
        {"message_tab_fills_line.ini", false, true, {}, {{Field::Message, Rep('x', 1490) + Rep(' ', 8) + "\n"}}},
        {"message_tab_overflows_line.ini", false, false, {kTooLong}, {}},
        {"regtext_1499.ini", false, true, {},
         {{Field::RegText0, Rep('r', 1499)}, {Field::RegText1, ""}, {Field::RegTextLines, "2"}, {Field::Ok, "Go"}}},
        {"regtext_1600.ini", false, true, {},
         {{Field::RegText0, Rep('r', 1499)}, {Field::RegText1, Rep('r', 101)}, {Field::RegTextLines, "2"}, {Field::Ok, "Go"}}},
        {"long_comment.ini", false, false, {Error(Rep('c', 100))}, {}},
        // Line limits of the two multi-line sections, which count over repeated sections.
        {"message_300_lines.ini", false, true, {}, {{Field::Message, NumberedLines("line ", 300)}, {Field::MessageLines, "300"}}},
        {"message_300_lines_then_header.ini", false, true, {}, {{Field::MessageLines, "300"}, {Field::Title, "T"}}},
        {"message_301_lines.ini", false, false, {kTooMany}, {{Field::Message, "(null)"}, {Field::MessageLines, "300"}}},
        {"regtext_300_lines.ini", false, true, {},
         {{Field::RegText299, "note 300"}, {Field::RegTextLines, "300"}, {Field::Title, "T"}}},
        {"regtext_301_lines.ini", false, false, {kTooMany}, {{Field::RegText299, "note 300"}, {Field::RegTextLines, "300"}}},
        {"regtext_repeated_past_300.ini", false, false, {kTooMany},
         {{Field::RegText0, "b1"}, {Field::RegText99, "b100"}, {Field::RegText100, "a101"}, {Field::RegText299, ""},
          {Field::RegTextLines, "300"}}},
        {"message_repeated.ini", false, true, {}, {{Field::Message, "second\n"}, {Field::MessageLines, "2"}, {Field::Ok, "Go"}}},
        // Headers with blanks and comments, where a header is expected and inside a section.
        {"header_trailing_blank.ini", false, false, {Error("[Title] ")}, {}},
        {"header_blank_and_comment.ini", false, false, {Error("[Title] ")}, {}},
        {"header_with_comment.ini", false, true, {}, {{Field::Title, "T"}}},
        {"header_indented.ini", false, false, {Error("T")}, {}},
        {"header_tab_indented.ini", false, false, {Error("T")}, {}},
        {"headers_as_message_text.ini", false, true, {}, {{Field::Message, "[Title] \n[Ok];x\n [Cancel]\n"}, {Field::Run, "cmd"}}},
        {"header_as_value.ini", false, false, {Error("Go")}, {{Field::Title, "[Ok]"}}},
        {"blank_value_lines.ini", false, true, {}, {{Field::Title, "T"}}},
        {"empty_file.ini", false, true, {}, {{Field::Message, "(null)"}, {Field::Ok, "Ok"}, {Field::Cancel, "Cancel"}}},
        {"comments_only.ini", false, true, {}, {{Field::Message, "(null)"}, {Field::Title, ""}}},
        // Double-byte code page: a lead byte takes the newline or semicolon after it.
        {"dbcs_lead_before_newline.ini", true, true, {}, {{Field::Title, "AB\x81\n"}, {Field::Ok, "Go"}}},
        {"dbcs_lead_before_semicolon.ini", true, true, {}, {{Field::Run, "setup\x81;x"}, {Field::Ok, "Go"}}},
        {"high_byte_before_semicolon.ini", false, true, {}, {{Field::Run, "setup\x81"}, {Field::Ok, "Go"}}},
        {"dbcs_lead_in_message.ini", true, true, {}, {{Field::Message, "text\x81\n"}, {Field::Title, "T"}}},
        {"dbcs_lead_in_regtext.ini", true, true, {}, {{Field::RegText0, "ab\xE0\n"}, {Field::Title, "T"}}},
        {"dbcs_lead_at_end_of_file.ini", true, true, {}, {{Field::Title, "T\x81"}}},
        {"dbcs_lead_before_header_newline.ini", true, true, {},
         {{Field::Message, "x\n[Title]\x81\nT\n"}, {Field::Title, ""}}},
        // A byte-order mark makes the script Unicode, read as UTF-8 text: the mark is
        // no text, broken characters read as U+FFFD, limits count bytes of UTF-8, and
        // double-byte rules are off. Without the whole mark the file is ANSI.
        {"utf8_bom.ini", false, true, {}, {{Field::Title, "T"}}},
        {"utf16_text.ini", false, true, {}, {{Field::Title, "T"}}},
        {"utf16be_message_given_back.ini", false, true, {},
         {{Field::Message, u8"\u0393\u03B5\u03B9\u03AC \u4E16\u754C \U0001F600\u0800\n"}, {Field::Title, "T"}}},
        {"utf8_broken_sequences.ini", false, true, {},
         {{Field::Title, u8"A\uFFFD(\uFFFD\uFFFD\U0001F600\uFFFD\uFFFD\uFFFD\uFFFD\uFFFDB\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"
                                u8"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"}, {Field::Ok, "Go"}}},
        {"utf16_lone_surrogates_odd_byte.ini", false, true, {},
         {{Field::Title, u8"a\uFFFDb\uFFFD"}, {Field::Ok, u8"Go\uFFFD"}}},
        {"utf16_ctrl_z.ini", false, true, {}, {{Field::Title, u8"T\u1A41"}, {Field::Ok, "Ok"}}},
        {"utf8_bom_error_line.ini", false, false, {Error(u8"\u041F\u0440\u0438\u0432\u0435\u0442")}, {}},
        {"partial_utf8_bom.ini", false, false, {Error("\xEF\xBB[Title]")}, {}},
        {"utf8_no_double_byte_rules.ini", true, true, {}, {{Field::Run, u8"setup\u3041"}, {Field::Ok, "Go"}}},
        {"utf8_message_1498_bytes.ini", false, false, {kTooLong}, {{Field::Message, "(null)"}}},
        {"utf16_message_1497_bytes.ini", false, true, {}, {{Field::MessageLines, "1"}, {Field::Ok, "Go"}}},
    };
    // Every header as the last line, alone or given back by a [Message] section, with
    // and without a newline: a single-line section then has no value and fails without
    // a message; a multi-line one is empty.
    const char* const kHeaders[] = {"Title", "Message", "Ok", "Cancel", "Run",
                                    "Rootkey", "RegKey", "RegValue", "RegVersion", "RegText"};
    for (std::string header : kHeaders) {
        const bool bMultiLine = header == "Message" || header == "RegText";
        const bool bMessage = header == "Message";
        const Fields afterMessage = {{Field::Message, bMessage ? "" : "hello\n"}, {Field::RegTextLines, "0"}};
        const Fields alone = {{Field::Message, bMessage ? "" : "(null)"}, {Field::RegTextLines, "0"}};
        std::string name = header;
        for (char& c : name) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        for (const char* pszEnd : {".ini", "_no_newline.ini"}) {
            cases.push_back({"end_" + name + pszEnd, false, bMultiLine, {}, afterMessage});
            cases.push_back({"only_" + name + pszEnd, false, bMultiLine, {}, alone});
        }
    }
    return cases;
}

std::string FieldText(const CSetupScript& script, Field field)
{
    switch (field) {
    case Field::Title: return script.m_szTitle;
    case Field::Message: return script.m_pszMessage != nullptr ? script.m_pszMessage : "(null)";
    case Field::Ok: return script.m_szOk;
    case Field::Cancel: return script.m_szCancel;
    case Field::Run: return script.m_szRun;
    case Field::RegText0: return script.m_szRegText[0];
    case Field::RegText1: return script.m_szRegText[1];
    case Field::RegText99: return script.m_szRegText[99];
    case Field::RegText100: return script.m_szRegText[100];
    case Field::RegText299: return script.m_szRegText[299];
    case Field::MessageLines: return std::to_string(script.m_nMessageLines);
    case Field::RegTextLines: return std::to_string(script.m_nRegTextLines);
    }
    return {};
}

const std::filesystem::path kCollectionDir = std::filesystem::path(__FILE__).parent_path() / "bad_scripts";

std::string ReadCase(const std::string& file)
{
    std::ifstream in(kCollectionDir / file, std::ios::binary);
    EXPECT_TRUE(in.good()) << file;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class BadScriptCollectionTest : public script_test::ScriptTest {};

TEST_F(BadScriptCollectionTest, EveryFileHasItsOutcomeAndEveryOutcomeItsFile)
{
    std::set<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(kCollectionDir)) {
        files.insert(entry.path().filename().string());
    }
    std::set<std::string> listed;
    for (const BadScript& c : Collection()) {
        EXPECT_TRUE(listed.insert(c.file).second) << "listed twice: " << c.file;
    }
    EXPECT_EQ(files, listed);
}

TEST_F(BadScriptCollectionTest, ParserYieldsTheRecordedOutcome)
{
    for (const BadScript& c : Collection()) {
        SCOPED_TRACE(c.file);
        sim::Reset();
        sim::SetDoubleByteCodePage(c.bDoubleByte);
        EXPECT_EQ(Load(ReadCase(c.file)) != FALSE, c.bLoads);
        EXPECT_EQ(ShownTexts(), c.boxes);
        for (const auto& [field, text] : c.fields) {
            EXPECT_EQ(FieldText(*m_pScript, field), text) << "field " << static_cast<int>(field);
        }
    }
}

// The launcher ends at once on a rejected script and otherwise shows its window; it
// never hangs and always exits with 0.
TEST(BadScriptProgramRunTest, EndsOrShowsItsWindow)
{
    for (const BadScript& c : Collection()) {
        SCOPED_TRACE(c.file);
        ResetWithScript(ReadCase(c.file));
        sim::SetDoubleByteCodePage(c.bDoubleByte);
        sim::QueueClick(IDC_CANCEL);
        EXPECT_EQ(RunLauncher(), 0);
        EXPECT_FALSE(sim::LoopStalled());
        EXPECT_EQ(FrameWindow() != nullptr && sim::EverShown(FrameWindow()), c.bLoads);
        EXPECT_EQ(ShownTexts(), c.boxes);
        // A rejected script leaves the text of its [Message] section to the end of the
        // process; the next run's record would lose it.
        delete[] theScript.m_pszMessage;
        theScript.m_pszMessage = nullptr;
    }
}

}  // namespace
