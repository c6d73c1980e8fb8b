// Character lengths and searches in both text encodings.
#include <gtest/gtest.h>

#include "platform/afx_text.h"
#include "platform/sim/sim.h"

namespace {

struct LengthCase {
    const char* bytes;
    int expected;
};

TEST(TextEncoding, Utf8CharacterLengths)
{
    const LengthCase kCases[] = {
        {"a", 1},          {"\xC3\xA9", 2},          {"\xE2\x82\xAC", 3},     {"\xF0\x9F\x98\x80", 4},
        {"\xC3", 1},       {"\xC3" "a", 1},          {"\xE2\x82", 1},         {"\xF0\x9F\x98", 1},
        {"\x80", 1},       {"\xC0\x80", 1},          {"\xE0\x80\x80", 1},     {"\xED\xA0\x80", 1},
        {"\xF4\x90\x80\x80", 1}, {"\xF5\x80\x80\x80", 1}, {"\xFF", 1},   {"\xEF\xBF\xBD", 3},
    };
    sim::Reset();
    AfxSetTextEncoding(AfxTextEncoding::Utf8);
    for (const LengthCase& c : kCases) {
        EXPECT_EQ(AfxCharLength(c.bytes), c.expected) << ::testing::PrintToString(c.bytes);
    }
    // Double-byte rules are for ANSI text only; an ASCII byte is never inside a character.
    sim::SetDoubleByteCodePage(true);
    EXPECT_EQ(AfxCharLength("\x81;"), 1);
    char szText[] = "\xE3\x81\x82;x";
    AfxCutAt(szText, ';');
    EXPECT_STREQ(szText, "\xE3\x81\x82");
    sim::Reset();
}

TEST(TextEncoding, AnsiCharacterLengths)
{
    sim::Reset();
    EXPECT_EQ(AfxGetTextEncoding(), AfxTextEncoding::Ansi);
    EXPECT_EQ(AfxCharLength("\x81;"), 1);
    sim::SetDoubleByteCodePage(true);
    EXPECT_EQ(AfxCharLength("\x81;"), 2);
    EXPECT_EQ(AfxCharLength("\x81"), 1);
    EXPECT_EQ(AfxCharLength("\xC3\xA9"), 1);
}

}  // namespace
