// The one case rule (Unicode's simple case folding) and the medium's name check that
// stands on it: names Windows cannot hold, and names it takes as one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "checker/medium_names.h"
#include "afx/unicode_text.h"

namespace {

std::string Repeat(const std::string& text, int n)
{
    std::string repeated;
    for (int i = 0; i < n; ++i) {
        repeated += text;
    }
    return repeated;
}

const std::string kEmoji = "\xF0\x9F\x98\x80";  // two UTF-16 units

TEST(CaseFoldingTest, FoldsEachKindOfRunAndLeavesTheRest)
{
    struct {
        unsigned long nCodePoint;
        unsigned long nFolded;
    } const cases[] = {
        {'A', 'a'}, {'Z', 'z'}, {'@', '@'}, {'[', '['}, {'a', 'a'},    // the first run and its edges
        {0xB5, 0x3BC},                                                  // micro sign: a run of one
        {0xC0, 0xE0}, {0xD6, 0xF6}, {0xD7, 0xD7}, {0xDE, 0xFE},         // Latin-1, the multiplication sign between
        {0x100, 0x101}, {0x12E, 0x12F}, {0x101, 0x101}, {0x130, 0x130}, // pairs two apart; I with dot has no simple folding
        {0x3A3, 0x3C3}, {0x3C2, 0x3C3},                                 // sigma and final sigma
        {0x1E9E, 0xDF},                                                 // capital sharp s (status S)
        {0x212A, 'k'},                                                  // Kelvin sign
        {0x10400, 0x10428}, {0x10427, 0x1044F}, {0x10428, 0x10428},     // outside the BMP
        {0x1E900, 0x1E922}, {0x1E921, 0x1E943}, {0x1E922, 0x1E922}, // the last run, and past it
        {0, 0}, {0x10FFFF, 0x10FFFF},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FoldCase(c.nCodePoint), c.nFolded) << std::hex << c.nCodePoint;
    }
    EXPECT_EQ(FoldCaseUtf8("\xC3\x89t\xC3\xA9 \xCE\xA3\xCE\x9F\xCE\xA6\xCE\x99\xCE\x91\xCE\xA3.TXT \xF0\x90\x90\x80 \xE2\x84\xAA"),
              FoldCaseUtf8("\xC3\xA9T\xC3\x89 \xCF\x83\xCE\xBF\xCF\x86\xCE\xB9\xCE\xB1\xCF\x82.txt \xF0\x90\x90\xA8 k"));
    EXPECT_EQ(FoldCaseUtf8("Ab\xFF\xC3"), "ab\xFF\xC3");  // broken bytes stay
    EXPECT_EQ(FoldCaseUtf8("\xC8\xBA"), "\xE2\xB1\xA5");  // folded forms may be longer
}

TEST(MediumNamesTest, RefusesWhatWindowsCannotHoldOrTellApart)
{
    struct {
        const char* pszName;
        std::vector<std::string> paths;
        std::vector<std::string> expected;  // the start of each line
    } const cases[] = {
        {"good names", {"Docs", "Docs/\xC3\x9C.txt", "\xF0\x9F\x98\x80.txt", "\xF0\x9F\x98\x81.txt", "CONSOLE",
                        "com10", "LPT0.txt", "COMx.txt", "nul-file", "auxiliary.txt", "a.b.c", ".hidden",
                        Repeat("x", 64), Repeat(kEmoji, 32), Repeat("\xC3\xA9", 64)}, {}},
        {"not UTF-8", {"ok", "caf\xE9.txt", "d/\xC3\x28"},
         {"caf\\xe9.txt: not valid UTF-8", "d/\\xc3(: not valid UTF-8"}},
        {"devices", {"CON", "aux.txt", "Nul.tar.gz", "com1", "LPT9.log", "prn .txt", "COM\xC2\xB9"},
         {"CON: a device's", "aux.txt: a device's", "Nul.tar.gz: a device's", "com1: a device's",
          "LPT9.log: a device's", "prn .txt: a device's", "COM\xC2\xB9: a device's"}},
        {"ends", {"trail.", "trail ", "d/x..", "mid. dle"},
         {"trail.: a dot or a blank", "trail : a dot or a blank", "d/x..: a dot or a blank"}},
        {"characters", {"a<b", "a>b", "a:b", "a\"b", "a\\b", "a|b", "a?b", "a*b", "tab\there", "del\x7F", "c1\xC2\x85"},
         {"a<b: the character <", "a>b: the character >", "a:b: the character :", "a\"b: the character \"",
          "a\\b: the character \\", "a|b: the character |", "a?b: the character ?", "a*b: the character *",
          "tab\\x09here: a control character", "del\\x7f: a control character", "c1\\xc2\\x85: a control character"}},
        {"length in UTF-16 units", {Repeat("x", 65), "d/" + Repeat(kEmoji, 33), Repeat("x", 63) + kEmoji},
         {Repeat("x", 65) + ": longer than the 64", "d/" + Repeat(kEmoji, 33) + ": longer than the 64",
          Repeat("x", 63) + kEmoji + ": longer than the 64"}},
        {"twins in one folder", {"A", "A/\xC3\x89.txt", "A/\xC3\xA9.txt", "a", "B/\xC3\x89.txt", "\xCE\xA3", "\xCF\x82",
                                 "K", "\xE2\x84\xAA"},
         {"A/\xC3\xA9.txt: the same name to Windows as A/\xC3\x89.txt", "a: the same name to Windows as A,",
          "\xCF\x82: the same name to Windows as \xCE\xA3", "\xE2\x84\xAA: the same name to Windows as K"}},
        {"the medium's own names", {"SETUP.EXE", "Autorun.inf", "sub/setup.exe", "\xC5\xBF" "etup.exe"},
         {"SETUP.EXE: the same name to Windows as the medium's own setup.exe",
          "Autorun.inf: the same name to Windows as the medium's own autorun.inf",
          "\xC5\xBF" "etup.exe: the same name to Windows as the medium's own setup.exe"}},
    };
    for (const auto& c : cases) {
        const std::vector<std::string> lines = CheckMediumNames(c.paths, {"setup.exe", "autorun.inf"});
        ASSERT_EQ(lines.size(), c.expected.size()) << c.pszName << ": " << (lines.empty() ? "" : lines[0]);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            EXPECT_EQ(lines[i].compare(0, c.expected[i].size(), c.expected[i]), 0) << c.pszName << ": " << lines[i];
        }
    }
}

}  // namespace
