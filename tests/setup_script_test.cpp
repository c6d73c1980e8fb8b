// The setup record and its parser: defaults, headers, the sections, limits, errors,
// line ends, read errors and bad input.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <random>
#include <string>
#include <vector>

#include "script_test_support.h"

namespace {

using script_test::CrLf;
using script_test::RepeatedLines;
using script_test::ShownTexts;
using Texts = std::vector<std::string>;
using Field = char (CSetupScript::*)[SCRIPT_LINE_SIZE];

const char kTooLong[] = "Line too long";
const char kTooMany[] = "Maximum number of lines exceeded";
const char kCantRead[] = "Can't read setup.ini";

void ExpectConstructionValues(const CSetupScript& script)
{
    EXPECT_STREQ(script.m_szOk, "Ok");
    EXPECT_STREQ(script.m_szCancel, "Cancel");
    for (const char* psz : {script.m_szTitle, script.m_szRun, script.m_szRootkey, script.m_szRegKey,
                            script.m_szRegValue, script.m_szRegVersion}) {
        EXPECT_STREQ(psz, "");
    }
    EXPECT_EQ(script.m_pszMessage, nullptr);
    EXPECT_EQ(script.m_nMessageLines, 0);
    EXPECT_EQ(script.m_nRegTextLines, 0);
    for (const auto& slot : script.m_szRegText) {
        ASSERT_STREQ(slot, "");
    }
}

// "line 1", "line 2", ... each ended by CR-LF.
std::string NumberedLines(int n)
{
    std::string text;
    for (int i = 1; i <= n; ++i) {
        text += "line " + std::to_string(i) + "\r\n";
    }
    return text;
}

// --- Defaults and a missing script -------------------------------------------------

using SetupScriptDefaults = script_test::ScriptTest;

TEST_F(SetupScriptDefaults, ConstructionValues)
{
    NewRecord();
    ExpectConstructionValues(*m_pScript);
    EXPECT_FALSE(m_pScript->m_file.IsOpen());
}

TEST_F(SetupScriptDefaults, ScriptWithoutSectionsKeepsThem)
{
    for (const std::string& bytes : {std::string(), CrLf({"", "; a note", "   ", "\t[Title] indented", " x"})}) {
        EXPECT_TRUE(Load(bytes));
        ExpectConstructionValues(*m_pScript);
    }
    EXPECT_TRUE(ShownTexts().empty());
}

TEST_F(SetupScriptDefaults, MissingScriptIsToldAndLoadGoesOn)
{
    EXPECT_TRUE(LoadExisting());
    ExpectConstructionValues(*m_pScript);
    ASSERT_EQ(sim::MessageBoxes().size(), 1u);
    const sim::MessageBoxRecord& box = sim::MessageBoxes()[0];
    EXPECT_EQ(box.text, "Can't open setup.ini");
    EXPECT_EQ(box.caption, "SETUP");
    EXPECT_EQ(box.type & MB_ICONMASK, MB_ICONEXCLAMATION);
    EXPECT_EQ(box.owner, nullptr);
}

// --- Section headers ---------------------------------------------------------------

struct HeaderCase {
    std::string bytes;
    BOOL loaded;
    std::string title;
    Texts shown;
};

// A test's description shows its parameter: the cases print by their script, length
// or name, for their raw bytes include padding and the unset bytes of the strings'
// inline buffers.
void PrintTo(const HeaderCase& headerCase, std::ostream* os) { *os << ::testing::PrintToString(headerCase.bytes); }

class SetupScriptHeaders : public script_test::ScriptTest, public ::testing::WithParamInterface<HeaderCase> {};

TEST_P(SetupScriptHeaders, WholeLineWithAsciiCaseIgnored)
{
    EXPECT_EQ(Load(GetParam().bytes), GetParam().loaded);
    EXPECT_EQ(m_pScript->m_szTitle, GetParam().title);
    EXPECT_EQ(ShownTexts(), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    SetupScript, SetupScriptHeaders,
    ::testing::Values(HeaderCase{CrLf({"[title]", "T"}), TRUE, "T", {}},
                      HeaderCase{CrLf({"[TITLE]", "T"}), TRUE, "T", {}},
                      HeaderCase{CrLf({"[tItLe]", "T"}), TRUE, "T", {}},
                      HeaderCase{CrLf({"[Title];note", "T"}), TRUE, "T", {}},
                      HeaderCase{CrLf({"  [Title]", "T"}), FALSE, "", {"Error: T"}},
                      HeaderCase{CrLf({"[Title] ", "T"}), FALSE, "", {"Error: [Title] "}},
                      HeaderCase{CrLf({"[Title] ; note", "T"}), FALSE, "", {"Error: [Title] "}},
                      HeaderCase{CrLf({"[Title]x"}), FALSE, "", {"Error: [Title]x"}},
                      HeaderCase{CrLf({"[Titl"}), FALSE, "", {"Error: [Titl"}},
                      // Folding by setting bit 5 would take '{' for '[' and '}' for ']'.
                      HeaderCase{CrLf({"{title}", "T"}), FALSE, "", {"Error: {title}"}},
                      // Only A-Z fold: a dotless i of a Turkish code page is no 'i'.
                      HeaderCase{CrLf({"[T\xFDtle]"}), FALSE, "", {"Error: [T\xFDtle]"}},
                      HeaderCase{CrLf({"[Setup]"}), FALSE, "", {"Error: [Setup]"}},
                      // A language tag: ASCII letters, digits, single hyphens, on what is shown only.
                      HeaderCase{CrLf({"[TITLE.en-us-1996]", "T"}), TRUE, "T", {}},
                      HeaderCase{CrLf({"[Title.en_US]"}), FALSE, "", {"Error: [Title.en_US]"}},
                      HeaderCase{CrLf({"[Title.en--US]"}), FALSE, "", {"Error: [Title.en--US]"}},
                      HeaderCase{CrLf({"[Title.en-]"}), FALSE, "", {"Error: [Title.en-]"}},
                      HeaderCase{CrLf({"[Title.1en]"}), FALSE, "", {"Error: [Title.1en]"}},
                      HeaderCase{CrLf({"[Title.]"}), FALSE, "", {"Error: [Title.]"}},
                      HeaderCase{CrLf({"[RegKey.en]"}), FALSE, "", {"Error: [RegKey.en]"}},
                      HeaderCase{CrLf({"[Rootkey.en]"}), FALSE, "", {"Error: [Rootkey.en]"}},
                      HeaderCase{CrLf({"[RegValue.en]"}), FALSE, "", {"Error: [RegValue.en]"}},
                      HeaderCase{CrLf({"[RegVersion.en]"}), FALSE, "", {"Error: [RegVersion.en]"}},
                      // The title takes the next header as its value; the rest is top level.
                      HeaderCase{CrLf({"[Title]", "[Ok]", "Go"}), FALSE, "[Ok]", {"Error: Go"}}));

TEST(SetupScriptHeaderTest, TheTenHeadersInAnyCase)
{
    for (const char* pszHeader : {"[Title]", "[Message]", "[Ok]", "[Cancel]", "[Run]", "[Rootkey]", "[RegKey]",
                                  "[RegValue]", "[RegVersion]", "[RegText]"}) {
        std::string lower(pszHeader);
        std::string upper(pszHeader);
        for (char& c : lower) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        for (char& c : upper) {
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
        EXPECT_TRUE(CSetupScript::IsSectionHeader(pszHeader)) << pszHeader;
        EXPECT_TRUE(CSetupScript::IsSectionHeader(lower.c_str())) << lower;
        EXPECT_TRUE(CSetupScript::IsSectionHeader(upper.c_str())) << upper;
        EXPECT_FALSE(CSetupScript::IsSectionHeader((std::string(pszHeader) + "\n").c_str())) << pszHeader;
    }
    EXPECT_FALSE(CSetupScript::IsSectionHeader(""));
    EXPECT_FALSE(CSetupScript::IsSectionHeader("[]"));
}

// --- Single-line sections ----------------------------------------------------------

struct SingleLineSection {
    const char* header;
    Field field;
};

const SingleLineSection kSingleLineSections[] = {
    {"[Title]", &CSetupScript::m_szTitle},       {"[Ok]", &CSetupScript::m_szOk},
    {"[Cancel]", &CSetupScript::m_szCancel},     {"[Run]", &CSetupScript::m_szRun},
    {"[Rootkey]", &CSetupScript::m_szRootkey},   {"[RegKey]", &CSetupScript::m_szRegKey},
    {"[RegValue]", &CSetupScript::m_szRegValue}, {"[RegVersion]", &CSetupScript::m_szRegVersion},
};

void PrintTo(const SingleLineSection& section, std::ostream* os) { *os << section.header; }

class SetupScriptSingleLine : public script_test::ScriptTest,
                              public ::testing::WithParamInterface<SingleLineSection> {
protected:
    std::string Value() const { return (*m_pScript).*(GetParam().field); }
};

TEST_P(SetupScriptSingleLine, NextLineWithContentIsTheValue)
{
    const std::string header = GetParam().header;
    EXPECT_TRUE(Load(CrLf({header, "", "; note", "  indented", "install\\setup.exe /S ; silent"})));
    EXPECT_EQ(Value(), "install\\setup.exe /S ");
    EXPECT_TRUE(Load(CrLf({header, "first", header, "second"})));
    EXPECT_EQ(Value(), "second");
    // A header where the value is expected is the value, and starts no section.
    EXPECT_TRUE(Load(CrLf({header, "[Message]", "[RegText]"})));
    EXPECT_EQ(Value(), "[Message]");
    EXPECT_EQ(m_pScript->m_pszMessage, nullptr);
    EXPECT_TRUE(ShownTexts().empty());
}

TEST_P(SetupScriptSingleLine, HeaderAtTheEndFailsSilentlyAndKeepsTheField)
{
    for (const std::string& bytes : {std::string(GetParam().header), CrLf({GetParam().header, "", "; no value"})}) {
        NewRecord();
        const std::string before = (*m_pScript).*(GetParam().field);
        sim::AddFile("setup.ini", bytes);
        EXPECT_FALSE(m_pScript->Load());
        EXPECT_EQ(Value(), before);
    }
    EXPECT_TRUE(ShownTexts().empty());
}

INSTANTIATE_TEST_SUITE_P(SetupScript, SetupScriptSingleLine, ::testing::ValuesIn(kSingleLineSections),
                         [](const ::testing::TestParamInfo<SingleLineSection>& info) {
                             const std::string header = info.param.header;
                             return header.substr(1, header.size() - 2);
                         });

using SetupScriptLongValue = script_test::ScriptTest;

TEST_F(SetupScriptLongValue, FirstPieceIsTheValueAndTheRestIsTopLevel)
{
    EXPECT_FALSE(Load(CrLf({"[Title]", std::string(1499, 'a') + "rest"})));
    EXPECT_EQ(m_pScript->m_szTitle, std::string(1499, 'a'));
    EXPECT_EQ(ShownTexts(), Texts{"Error: rest"});

    EXPECT_TRUE(Load(CrLf({"[Title]", std::string(1499, 'a') + ";rest", "[Ok]", "Go"})));
    EXPECT_EQ(m_pScript->m_szTitle, std::string(1499, 'a'));
    EXPECT_STREQ(m_pScript->m_szOk, "Go");
}

// --- [Message] ---------------------------------------------------------------------

using SetupScriptMessage = script_test::ScriptTest;

TEST_F(SetupScriptMessage, RawLinesKeepTheirNewlines)
{
    EXPECT_TRUE(Load(CrLf({"[Message]", "First paragraph.", "", "; not a comment here", "   indented",
                           "[Title];x", " [Title]", "[Title] ", "[Ok]", "Go"})));
    EXPECT_EQ(Message(), "First paragraph.\n\n; not a comment here\n   indented\n[Title];x\n [Title]\n[Title] \n");
    EXPECT_EQ(m_pScript->m_nMessageLines, 7);
    EXPECT_STREQ(m_pScript->m_szOk, "Go");

    EXPECT_TRUE(Load("[Message]\r\nlast line without newline"));
    EXPECT_EQ(Message(), "last line without newline");
}

TEST_F(SetupScriptMessage, EachTabBecomesEightSpaces)
{
    EXPECT_TRUE(Load(CrLf({"[Message]", "a\tb\t\tc", "abc\t|"})));
    EXPECT_EQ(Message(), "a" + std::string(8, ' ') + "b" + std::string(16, ' ') + "c\nabc" + std::string(8, ' ') + "|\n");
}

TEST_F(SetupScriptMessage, EmptyTextWhenNoLineFollows)
{
    for (const std::string& bytes : {CrLf({"[Message]", "[Title]", "T"}), std::string("[Message]")}) {
        EXPECT_TRUE(Load(bytes));
        ASSERT_NE(m_pScript->m_pszMessage, nullptr);
        EXPECT_STREQ(m_pScript->m_pszMessage, "");
    }
}

struct LengthCase {
    std::string line;  // the [Message] line as it stands in the file
    bool taken;
};

void PrintTo(const LengthCase& lengthCase, std::ostream* os) { *os << lengthCase.line.size() << " characters"; }

class SetupScriptMessageLength : public script_test::ScriptTest, public ::testing::WithParamInterface<LengthCase> {};

TEST_P(SetupScriptMessageLength, LongestLineThatFits)
{
    const bool bTaken = GetParam().taken;
    EXPECT_EQ(Load("[Message]\r\n" + GetParam().line), bTaken ? TRUE : FALSE);
    EXPECT_EQ(ShownTexts(), bTaken ? Texts{} : Texts{kTooLong});
    if (bTaken) {
        const std::string& line = GetParam().line;
        const std::size_t nTabs = std::count(line.begin(), line.end(), '\t');
        const std::size_t nCrLf = line.size() >= 2 && line.compare(line.size() - 2, 2, "\r\n") == 0;
        EXPECT_EQ(Message().size(), line.size() + nTabs * (TAB_SPACES - 1) - nCrLf);
    } else {
        EXPECT_EQ(m_pScript->m_pszMessage, nullptr);
    }
}

INSTANTIATE_TEST_SUITE_P(
    SetupScript, SetupScriptMessageLength,
    ::testing::Values(LengthCase{std::string(1497, 'm') + "\r\n", true},
                      // 1499 characters with the newline: it fit its buffer, yet is refused.
                      LengthCase{std::string(1498, 'm') + "\r\n", false},
                      LengthCase{std::string(1499, 'm') + "\r\n", false},
                      LengthCase{std::string(1498, 'm'), true}, LengthCase{std::string(1499, 'm'), false},
                      LengthCase{std::string(1490, 'm') + "\t\r\n", true},
                      LengthCase{std::string(1491, 'm') + "\t\r\n", false},
                      LengthCase{std::string(1491, 'm') + "\t", true},
                      LengthCase{std::string(1492, 'm') + "\t", false},
                      LengthCase{std::string(186, '\t') + "m\r\n", true},
                      LengthCase{std::string(187, '\t') + "\r\n", true},
                      LengthCase{std::string(187, '\t') + "mm\r\n", true},
                      LengthCase{std::string(187, '\t') + "mmm\r\n", false},
                      LengthCase{std::string(188, '\t') + "\r\n", false}));

TEST(SetupScriptExpandTabs, FailureKeepsTheLineAndSuccessReplacesIt)
{
    char* pszLine = new char[SCRIPT_LINE_SIZE];
    std::memset(pszLine, 'x', 1499);
    pszLine[1499] = '\0';
    char* const pszOriginal = pszLine;
    EXPECT_FALSE(CSetupScript::ExpandTabs(&pszLine));
    EXPECT_EQ(pszLine, pszOriginal);
    std::strcpy(pszLine, "\tx\n");
    EXPECT_TRUE(CSetupScript::ExpandTabs(&pszLine));
    EXPECT_STREQ(pszLine, "        x\n");
    delete[] pszLine;
}

// --- Where a multi-line section ends --------------------------------------------------

class SetupScriptSectionEnd : public script_test::ScriptTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(SetupScriptSectionEnd, MessageEndsAtTheHeader)
{
    const std::string header = GetParam();
    EXPECT_TRUE(Load(CrLf({"[Message]", "Hello", header, "value"})));
    const bool bMessageAgain = header == "[Message]";
    EXPECT_EQ(Message(), bMessageAgain ? "value\n" : "Hello\n");
    EXPECT_EQ(m_pScript->m_nMessageLines, 2 - !bMessageAgain);
    EXPECT_TRUE(ShownTexts().empty());
}

TEST_P(SetupScriptSectionEnd, RegTextEndsAtTheHeader)
{
    const std::string header = GetParam();
    EXPECT_TRUE(Load(CrLf({"[RegText]", "Notice", header, "value"})));
    const bool bRegTextAgain = header == "[RegText]";
    EXPECT_STREQ(m_pScript->m_szRegText[0], bRegTextAgain ? "value" : "Notice");
    EXPECT_STREQ(m_pScript->m_szRegText[1], "");
    EXPECT_EQ(m_pScript->m_nRegTextLines, 2 - !bRegTextAgain);
    EXPECT_TRUE(ShownTexts().empty());
}

INSTANTIATE_TEST_SUITE_P(SetupScript, SetupScriptSectionEnd,
                         ::testing::Values("[Title]", "[Message]", "[Ok]", "[Cancel]", "[Run]", "[Rootkey]",
                                           "[RegKey]", "[RegValue]", "[RegVersion]", "[RegText]"));

using SetupScriptMultiLineEnd = script_test::ScriptTest;

TEST_F(SetupScriptMultiLineEnd, SingleLineSectionAfterAMultiLineOneIsRead)
{
    EXPECT_TRUE(Load(CrLf({"[Message]", "Hello", "[RegVersion]", "3.2.0.0", "[RegText]", "Notice", "[run]", "go.exe"})));
    EXPECT_STREQ(m_pScript->m_szRegVersion, "3.2.0.0");
    EXPECT_STREQ(m_pScript->m_szRun, "go.exe");
}

TEST_F(SetupScriptMultiLineEnd, HeaderLastInTheFileWithoutNewlineIsDispatched)
{
    // Were it not dispatched, the header would be a line of the section.
    for (const char* pszEnd : {"\r\n", "\n"}) {
        EXPECT_TRUE(Load(std::string("[Message]") + pszEnd + "Hi" + pszEnd + "[RegText]"));
        EXPECT_EQ(Message(), "Hi\n");
        EXPECT_TRUE(Load(std::string("[RegText]") + pszEnd + "Notice" + pszEnd + "[Message]"));
        EXPECT_STREQ(m_pScript->m_szRegText[0], "Notice");
        EXPECT_EQ(Message(), "");
    }
}

// --- The 300-line limit of [Message] and [RegText] --------------------------------------

class SetupScriptLineLimit : public script_test::ScriptTest, public ::testing::WithParamInterface<const char*> {
protected:
    std::string Header() const { return std::string(GetParam()) + "\r\n"; }
    bool IsMessage() const { return std::string(GetParam()) == "[Message]"; }
    int Lines() const { return IsMessage() ? m_pScript->m_nMessageLines : m_pScript->m_nRegTextLines; }
};

TEST_P(SetupScriptLineLimit, ThreeHundredLinesFit)
{
    EXPECT_TRUE(Load(Header() + NumberedLines(300)));
    EXPECT_EQ(Lines(), 300);
    if (IsMessage()) {
        EXPECT_EQ(Message().size(), NumberedLines(300).size() - 300);
    } else {
        EXPECT_STREQ(m_pScript->m_szRegText[299], "line 300");
    }
    // The header still ends a section that is full.
    EXPECT_TRUE(Load(Header() + NumberedLines(300) + CrLf({"[Title]", "T"})));
    EXPECT_STREQ(m_pScript->m_szTitle, "T");
    EXPECT_TRUE(ShownTexts().empty());
}

TEST_P(SetupScriptLineLimit, TheThreeHundredAndFirstLineFails)
{
    EXPECT_FALSE(Load(Header() + NumberedLines(301) + CrLf({"[Title]", "T"})));
    EXPECT_EQ(ShownTexts(), Texts{kTooMany});
    EXPECT_STREQ(m_pScript->m_szTitle, "");
    EXPECT_EQ(m_pScript->m_pszMessage, nullptr);
}

TEST_P(SetupScriptLineLimit, RepeatedSectionsCountTogether)
{
    EXPECT_TRUE(Load(Header() + NumberedLines(200) + Header() + NumberedLines(100)));
    EXPECT_EQ(Lines(), 300);
    EXPECT_FALSE(Load(Header() + NumberedLines(200) + Header() + NumberedLines(101)));
    EXPECT_EQ(ShownTexts(), Texts{kTooMany});
}

TEST_P(SetupScriptLineLimit, EachLanguageCountsApart)
{
    const std::string header = GetParam();
    const auto tagged = [&](const char* pszTag) {
        return header.substr(0, header.size() - 1) + "." + pszTag + "]\r\n";
    };
    sim::SetUserLanguages({"de-DE"});
    EXPECT_TRUE(Load(Header() + RepeatedLines("x", 300) + tagged("de") + NumberedLines(300)));
    EXPECT_EQ(IsMessage() ? Message().substr(0, Message().find('\n')) : m_pScript->m_szRegText[0], "line 1");
    // A language the user does not read has the same limit, over all its sections.
    EXPECT_FALSE(Load(tagged("fr") + NumberedLines(200) + tagged("FR") + NumberedLines(101)));
    EXPECT_EQ(ShownTexts(), Texts{kTooMany});
}

INSTANTIATE_TEST_SUITE_P(SetupScript, SetupScriptLineLimit, ::testing::Values("[Message]", "[RegText]"));

// --- [RegText] ---------------------------------------------------------------------

using SetupScriptRegText = script_test::ScriptTest;

TEST_F(SetupScriptRegText, RawLinesOnePerSlotWithoutNewline)
{
    EXPECT_TRUE(Load(CrLf({"[RegText]", "line one", "", "\tTabbed ; semi", "  indented", "[Title]x"})));
    EXPECT_EQ(m_pScript->m_nRegTextLines, 5);
    const Texts expected{"line one", "", "\tTabbed ; semi", "  indented", "[Title]x", ""};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(m_pScript->m_szRegText[i], expected[i]) << i;
    }
}

TEST_F(SetupScriptRegText, ChosenLanguageReplacesTheWholeText)
{
    sim::SetUserLanguages({"de"});
    EXPECT_TRUE(Load(CrLf({"[RegText]", "old", "more", "[RegText.de]", "neu"})));
    EXPECT_STREQ(m_pScript->m_szRegText[0], "neu");
    EXPECT_STREQ(m_pScript->m_szRegText[1], "");
}

TEST_F(SetupScriptRegText, LongLineArrivesInPieces)
{
    EXPECT_TRUE(Load("[RegText]\r\n" + std::string(1600, 'r') + "\r\n"));
    EXPECT_EQ(m_pScript->m_szRegText[0], std::string(1499, 'r'));
    EXPECT_EQ(m_pScript->m_szRegText[1], std::string(101, 'r'));
    EXPECT_EQ(m_pScript->m_nRegTextLines, 2);

    // The newline of a line that filled its buffer comes as an empty line of its own.
    EXPECT_TRUE(Load("[RegText]\r\n" + std::string(1499, 'r') + "\r\nnext\r\n"));
    EXPECT_EQ(m_pScript->m_szRegText[0], std::string(1499, 'r'));
    EXPECT_STREQ(m_pScript->m_szRegText[1], "");
    EXPECT_STREQ(m_pScript->m_szRegText[2], "next");
    EXPECT_EQ(m_pScript->m_nRegTextLines, 3);
    EXPECT_TRUE(ShownTexts().empty());
}

TEST_F(SetupScriptRegText, RepeatedSectionRefillsFromTheFirstSlot)
{
    EXPECT_TRUE(Load(CrLf({"[RegText]", "a", "b", "[RegText]", "c"})));
    EXPECT_STREQ(m_pScript->m_szRegText[0], "c");
    EXPECT_STREQ(m_pScript->m_szRegText[1], "b");
    EXPECT_EQ(m_pScript->m_nRegTextLines, 3);
}

// --- Errors ------------------------------------------------------------------------

struct ErrorCase {
    std::string bytes;
    Texts shown;
};

void PrintTo(const ErrorCase& errorCase, std::ostream* os) { *os << ::testing::PrintToString(errorCase.bytes); }

class SetupScriptErrors : public script_test::ScriptTest, public ::testing::WithParamInterface<ErrorCase> {};

TEST_P(SetupScriptErrors, LoadFailsOnceTheCauseIsShown)
{
    EXPECT_FALSE(Load(GetParam().bytes));
    EXPECT_EQ(ShownTexts(), GetParam().shown);
    for (const sim::MessageBoxRecord& box : sim::MessageBoxes()) {
        EXPECT_EQ(box.type & MB_ICONMASK, MB_ICONEXCLAMATION);
        EXPECT_EQ(box.caption, "SETUP");
    }
}

INSTANTIATE_TEST_SUITE_P(
    SetupScript, SetupScriptErrors,
    ::testing::Values(ErrorCase{CrLf({"junk"}), {"Error: junk"}},
                      ErrorCase{CrLf({"[Title]", "T", "stray text  ;note"}), {"Error: stray text  "}},
                      ErrorCase{"[Message]\r\n" + std::string(1498, 'm') + "\r\n", {kTooLong}},
                      ErrorCase{"[Message]\r\n" + NumberedLines(301), {kTooMany}},
                      ErrorCase{"[RegText]\r\n" + NumberedLines(301), {kTooMany}},
                      ErrorCase{CrLf({"[Ok]", "; no value follows"}), {}}));

using SetupScriptFailure = script_test::ScriptTest;

TEST_F(SetupScriptFailure, FieldsReadBeforeTheFailureKeepTheirValues)
{
    EXPECT_FALSE(Load(CrLf({"[Title]", "T", "[Message]", "Hi", "[Ok]", "Go", "bad", "[Cancel]", "Stop"})));
    EXPECT_STREQ(m_pScript->m_szTitle, "T");
    EXPECT_EQ(Message(), "Hi\n");
    EXPECT_STREQ(m_pScript->m_szOk, "Go");
    EXPECT_STREQ(m_pScript->m_szCancel, "Cancel");
}

// --- Read errors: told, never thrown ----------------------------------------------------

struct ReadErrorCase {
    const char* name;
    std::string bytes;
    std::size_t goodBytes;
};

const std::string kPadding = RepeatedLines("; padding that runs past the first read of the file", 300);

void PrintTo(const ReadErrorCase& readErrorCase, std::ostream* os) { *os << readErrorCase.name; }

class SetupScriptReadError : public script_test::ScriptTest, public ::testing::WithParamInterface<ReadErrorCase> {};

TEST_P(SetupScriptReadError, IsShownAndFailsTheLoad)
{
    sim::AddFile("setup.ini", GetParam().bytes);
    sim::SetFileReadError("setup.ini", GetParam().goodBytes);
    EXPECT_FALSE(LoadExisting());
    EXPECT_EQ(ShownTexts(), Texts{kCantRead});
    EXPECT_STREQ(m_pScript->m_szOk, "Ok");
    EXPECT_EQ(m_pScript->m_pszMessage, nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    SetupScript, SetupScriptReadError,
    ::testing::Values(ReadErrorCase{"AtTheFirstRead", CrLf({"[Ok]", "Go"}), 0},
                      ReadErrorCase{"AtTopLevel", CrLf({"[Title]", "T"}) + kPadding + CrLf({"[Ok]", "Go"}), 6000},
                      ReadErrorCase{"InASingleLineSection", "[Ok]\r\n" + kPadding + "Go\r\n", 6000},
                      ReadErrorCase{"InMessage", "[Message]\r\n" + RepeatedLines(std::string(100, 'm'), 200), 6000},
                      ReadErrorCase{"InRegText", "[RegText]\r\n" + RepeatedLines(std::string(100, 'r'), 200), 6000},
                      // 4093 bytes of comments, then a header that the error cuts after "[Ti".
                      ReadErrorCase{"InAHeaderLine",
                                    RepeatedLines(std::string(100, ';'), 40) + CrLf({std::string(11, ';'), "[Title]", "T"}),
                                    4096}),
    [](const ::testing::TestParamInfo<ReadErrorCase>& info) { return std::string(info.param.name); });

// --- Line ends, NUL bytes, repeated sections and the open file -----------------------

using SetupScriptLineEnds = script_test::ScriptTest;

TEST_F(SetupScriptLineEnds, LineFeedOnlyScriptReadsLikeCrLf)
{
    EXPECT_TRUE(Load("[Title]\nAtlas\n[Message]\nHello\n\n\tWorld\n[RegText]\nNotice\n\n[RegVersion]\n3.2\n"));
    EXPECT_STREQ(m_pScript->m_szTitle, "Atlas");
    EXPECT_EQ(Message(), "Hello\n\n        World\n");
    EXPECT_STREQ(m_pScript->m_szRegText[0], "Notice");
    EXPECT_STREQ(m_pScript->m_szRegText[1], "");
    EXPECT_EQ(m_pScript->m_nRegTextLines, 2);
    EXPECT_STREQ(m_pScript->m_szRegVersion, "3.2");
}

TEST_F(SetupScriptLineEnds, MixedLineEndsAndLoneCarriageReturns)
{
    EXPECT_TRUE(Load("[Message]\r\nA\nB\rC\r\n[RegText]\nN\r\n[Title]\rX\n[Run]\r\nrun.exe\n"));
    EXPECT_EQ(Message(), "A\nB\rC\n");
    EXPECT_STREQ(m_pScript->m_szRegText[0], "N");
    EXPECT_STREQ(m_pScript->m_szRegText[1], "[Title]\rX");
    EXPECT_STREQ(m_pScript->m_szRun, "run.exe");
}

TEST_F(SetupScriptLineEnds, HeaderLineHoldingANulByteIsGivenBackWhole)
{
    // The header's text ends at the NUL; the line in the file goes on after it.
    EXPECT_TRUE(Load(std::string("[Message]\r\nA\r\n[Title]\0junk\r\nT\r\n", 31)));
    EXPECT_EQ(Message(), "A\n");
    EXPECT_STREQ(m_pScript->m_szTitle, "T");
}

using SetupScriptRepeated = script_test::ScriptTest;

TEST_F(SetupScriptRepeated, LaterMessageReplacesTheEarlierText)
{
    // The earlier block is freed; the sanitizer's leak check holds the test to that.
    EXPECT_TRUE(Load(CrLf({"[Message]", "first", "[Title]", "T", "[message]", "second"})));
    EXPECT_EQ(Message(), "second\n");
    EXPECT_EQ(m_pScript->m_nMessageLines, 2);
}

TEST_F(SetupScriptRepeated, FileStaysOpenAfterLoad)
{
    EXPECT_TRUE(Load(CrLf({"[Title]", "T"})));
    EXPECT_TRUE(m_pScript->m_file.IsOpen());
}

// --- Bad input ---------------------------------------------------------------------

using SetupScriptBadInput = script_test::ScriptTest;

// Whatever the bytes, the record stays within its limits and at most one box is shown.
void ExpectSaneRecord(const CSetupScript& script, BOOL bLoaded)
{
    EXPECT_LE(sim::MessageBoxes().size(), bLoaded ? 0u : 1u);
    for (const char* psz : {script.m_szTitle, script.m_szOk, script.m_szCancel, script.m_szRun, script.m_szRootkey,
                            script.m_szRegKey, script.m_szRegValue, script.m_szRegVersion}) {
        EXPECT_NE(std::memchr(psz, '\0', SCRIPT_LINE_SIZE), nullptr);
    }
    EXPECT_LE(script.m_nMessageLines, MAX_SECTION_LINES);
    EXPECT_LE(script.m_nRegTextLines, MAX_SECTION_LINES);
    if (script.m_pszMessage != nullptr) {
        EXPECT_LE(std::strlen(script.m_pszMessage), std::size_t{MAX_SECTION_LINES} * (SCRIPT_LINE_SIZE - 1));
    }
}

TEST_F(SetupScriptBadInput, BinaryJunk)
{
    const char* const kPieces[] = {"\r\n", "\n", "\r", "\t", ";", " ", "[Message]", "[RegText]", "[Title]",
                                   "[Ok]", "\x81", "\xE0", "\x1A", "text"};
    std::mt19937 random(20240607);
    for (int nRound = 0; nRound < 200; ++nRound) {
        sim::Reset();
        sim::SetDoubleByteCodePage(nRound % 2 == 1);
        std::string bytes = nRound % 3 == 0 ? "[Message]\r\n" : nRound % 3 == 1 ? "[RegText]\r\n" : "";
        const int nPieces = static_cast<int>(random() % 3000);
        for (int i = 0; i < nPieces; ++i) {
            const unsigned nPick = random() % 40;
            if (nPick < std::size(kPieces)) {
                bytes += kPieces[nPick];
            } else if (nPick < 36) {
                bytes += static_cast<char>(random() % 256);
            } else {
                bytes += std::string(random() % 2000, 'x');
            }
        }
        const BOOL bLoaded = Load(bytes);
        ExpectSaneRecord(*m_pScript, bLoaded);
    }
}

TEST_F(SetupScriptBadInput, HundredThousandLines)
{
    const std::string kLines = RepeatedLines("; a comment line", 100000);
    EXPECT_TRUE(Load(kLines + CrLf({"[Title]"}) + kLines + CrLf({"T"})));
    EXPECT_STREQ(m_pScript->m_szTitle, "T");
    for (const char* pszHeader : {"[Message]\r\n", "[RegText]\r\n"}) {
        sim::Reset();
        EXPECT_FALSE(Load(pszHeader + kLines));
        EXPECT_EQ(ShownTexts(), Texts{kTooMany});
    }
}

TEST_F(SetupScriptBadInput, TenThousandCharacterLine)
{
    const std::string kLong = std::string(10000, 'z') + "\r\n";
    EXPECT_FALSE(Load(kLong));
    EXPECT_FALSE(Load("[Title]\r\n" + kLong));
    EXPECT_EQ(m_pScript->m_szTitle, std::string(1499, 'z'));
    EXPECT_FALSE(Load("[Message]\r\n" + kLong));
    EXPECT_EQ(ShownTexts(), (Texts{"Error: " + std::string(1499, 'z'), "Error: " + std::string(1499, 'z'), kTooLong}));
    EXPECT_TRUE(Load("[RegText]\r\n" + kLong));
    EXPECT_EQ(m_pScript->m_nRegTextLines, 7);
    EXPECT_EQ(m_pScript->m_szRegText[6], std::string(10000 - 6 * 1499, 'z'));
}

TEST_F(SetupScriptBadInput, LeadByteBeforeNewlineAndSemicolon)
{
    // A lead byte takes the byte after it as its trail byte, whatever that byte is.
    sim::SetDoubleByteCodePage(true);
    EXPECT_TRUE(Load("[Title]\r\nT\x81;x\r\n[Run]\r\nR\x81\r\n[Message]\r\nM\x81\r\n[Ok]\r\nGo\r\n"
                     "[RegText]\r\nN\x81\r\n[Cancel]\r\nStop\xE0"));
    EXPECT_STREQ(m_pScript->m_szTitle, "T\x81;x");
    EXPECT_STREQ(m_pScript->m_szRun, "R\x81\n");
    EXPECT_EQ(Message(), "M\x81\n");
    EXPECT_STREQ(m_pScript->m_szOk, "Go");
    EXPECT_STREQ(m_pScript->m_szRegText[0], "N\x81\n");
    EXPECT_STREQ(m_pScript->m_szCancel, "Stop\xE0");
}

// --- The example script that ships with the sources ------------------------------

using SetupScriptExample = script_test::ScriptTest;

TEST_F(SetupScriptExample, LoadsWithEverySectionFilled)
{
    const std::string source = __FILE__;
    std::ifstream file(source.substr(0, source.find_last_of('/')) + "/../examples/setup.ini", std::ios::binary);
    ASSERT_TRUE(file.is_open());
    std::ostringstream bytes;
    bytes << file.rdbuf();
    const std::string text = bytes.str();
    // Every line ends in CR-LF, as the launcher's scripts are written.
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), std::count(text.begin(), text.end(), '\r'));

    EXPECT_TRUE(Load(text));
    EXPECT_TRUE(ShownTexts().empty());
    for (const char* psz : {m_pScript->m_szTitle, m_pScript->m_szOk, m_pScript->m_szCancel, m_pScript->m_szRun,
                            m_pScript->m_szRootkey, m_pScript->m_szRegKey, m_pScript->m_szRegValue,
                            m_pScript->m_szRegVersion, m_pScript->m_szRegText[0]}) {
        EXPECT_STRNE(psz, "");
    }
    EXPECT_STREQ(m_pScript->m_szRootkey, "HKEY_LOCAL_MACHINE");
    EXPECT_GT(m_pScript->m_nMessageLines, 1);

    // The Unicode example loads too, its byte-order mark no part of the title.
    std::ifstream unicode(source.substr(0, source.find_last_of('/')) + "/../examples/setup-unicode.ini", std::ios::binary);
    std::ostringstream unicodeBytes;
    unicodeBytes << unicode.rdbuf();
    EXPECT_TRUE(Load(unicodeBytes.str()));
    EXPECT_EQ(std::string(m_pScript->m_szTitle).rfind("Tallowmere Atlas 3.2", 0), 0u);
}

}  // namespace
