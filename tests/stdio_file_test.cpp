// Text-mode reading: line ends, Ctrl-Z, lengths and raw positions.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "afx/file.h"
#include "afx/text.h"
#include "afx/unicode_text.h"
#include "backend/sim/sim.h"

namespace {

// Opens the bytes as the file f.txt, or as bytes in memory.
bool OpenAs(CStdioFile* pFile, const std::string& bytes, bool bInMemory)
{
    sim::Reset();
    sim::AddFile("f.txt", bytes);
    return bInMemory ? pFile->OpenBytes(bytes.data(), bytes.size()) : pFile->Open("f.txt");
}

// The lines of the bytes read from a file; read from memory, they are the same.
std::vector<std::string> ReadAll(const std::string& bytes, UINT capacity = 1500)
{
    std::vector<std::string> lines[2];
    for (const bool bInMemory : {false, true}) {
        CStdioFile file;
        EXPECT_TRUE(OpenAs(&file, bytes, bInMemory));
        std::vector<char> buffer(capacity);
        while (file.ReadString(buffer.data(), capacity) != nullptr) {
            lines[bInMemory].emplace_back(buffer.data());
        }
    }
    EXPECT_EQ(lines[0], lines[1]);
    return lines[0];
}

using Lines = std::vector<std::string>;

TEST(StdioFileTest, LineEnds)
{
    struct Case {
        const char* name;
        std::string bytes;
        Lines expected;
    } cases[] = {
        {"crlf", "a\r\nb\r\n", {"a\n", "b\n"}},
        {"lf only", "a\nb\n", {"a\n", "b\n"}},
        {"lone cr stays", "a\rb\r\n", {"a\rb\n"}},
        {"cr at end", "a\r", {"a\r"}},
        {"cr cr lf", "a\r\r\n", {"a\r\n"}},
        {"last line without newline", "a\r\nb", {"a\n", "b"}},
        {"ctrl-z ends the file", "a\r\nb\x1A\r\nc\r\n", {"a\n", "b"}},
        {"ctrl-z first", "\x1A" "a\r\n", {}},
        {"empty", "", {}},
        {"empty lines", "\r\n\r\n", {"\n", "\n"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadAll(c.bytes), c.expected) << c.name;
    }
}

TEST(StdioFileTest, LongLinesArriveInPieces)
{
    const std::string line(1600, 'x');
    EXPECT_EQ(ReadAll(line + "\r\n"), (Lines{std::string(1499, 'x'), std::string(101, 'x') + "\n"}));
    EXPECT_EQ(ReadAll(std::string(1499, 'y') + "\r\n"), (Lines{std::string(1499, 'y'), "\n"}));
    EXPECT_EQ(ReadAll("abcdef\n", 4), (Lines{"abc", "def", "\n"}));
}

TEST(StdioFileTest, CrLfAcrossTheReadBuffer)
{
    // The CR is the last byte of the first 4096-byte block, its LF the first of the next.
    const std::string first(4095, 'a');
    const Lines lines = ReadAll(first + "\r\nb\r\n", 5000);
    EXPECT_EQ(lines, (Lines{first + "\n", "b\n"}));
}

// 12 KB of UTF-8 and of UTF-16, shifted a unit at a time, so that each kind of
// character lies across each refill of the 4 KB buffer: every line reads whole, and
// the same again after a seek to where it began.
TEST(StdioFileTest, UnicodeAcrossEveryRefill)
{
    const char* const pszLine = "ab \xE3\x81\x82\xF0\x9F\x98\x80\n";
    const struct {
        std::string mark, x, lineEnd, line;
    } forms[] = {{"\xEF\xBB\xBF", "x", "\r\n", "ab \xE3\x81\x82\xF0\x9F\x98\x80\r\n"},
                 {"\xFF\xFE", {"x\0", 2}, {"\r\0\n\0", 4}, {"a\0b\0 \0\x42\x30\x3D\xD8\x00\xDE\r\0\n\0", 16}}};
    for (const auto& form : forms) {
        for (int nShift = 0; nShift < 24; ++nShift) {
            const bool bInMemory = nShift >= 12;
            std::string bytes = form.mark;
            for (int i = 0; i < nShift % 12; ++i) {
                bytes += form.x;
            }
            for (bytes += form.lineEnd; bytes.size() < 12288;) {
                bytes += form.line;
            }
            CStdioFile file;
            char sz[32];
            ASSERT_TRUE(OpenAs(&file, bytes, bInMemory) && file.ReadString(sz, sizeof sz) != nullptr);
            std::vector<long long> starts;
            for (long long start = file.GetPosition(); file.ReadString(sz, sizeof sz); start = file.GetPosition()) {
                ASSERT_STREQ(sz, pszLine) << nShift << " at " << start;
                starts.push_back(start);
            }
            for (const long long start : starts) {
                ASSERT_EQ(file.Seek(start, CStdioFile::begin), start);
                ASSERT_STREQ(file.ReadString(sz, sizeof sz), pszLine) << nShift << " from " << start;
            }
        }
    }
}

// A character of every UTF-8 lead-byte range, the first and the last it starts,
// read from a UTF-16 and from a UTF-8 file: each comes out as its UTF-8 bytes, one
// character long, and decodes back to its code point.
TEST(StdioFileTest, EveryUtf8LeadByteRangeDecodes)
{
    const struct {
        char32_t c;
        std::string utf8;
    } characters[] = {
        {U'\u0041', "\x41"},         {U'\u007F', "\x7F"},         {U'\u0080', "\xC2\x80"},
        {U'\u0400', "\xD0\x80"},     {U'\u07FF', "\xDF\xBF"},     {U'\u0800', "\xE0\xA0\x80"},
        {U'\u0FFF', "\xE0\xBF\xBF"}, {U'\u1000', "\xE1\x80\x80"}, {U'\u8000', "\xE8\x80\x80"},
        {U'\uCFFF', "\xEC\xBF\xBF"}, {U'\uD000', "\xED\x80\x80"}, {U'\uD7FF', "\xED\x9F\xBF"},
        {U'\uE000', "\xEE\x80\x80"}, {U'\uFFFD', "\xEF\xBF\xBD"}, {U'\U00010000', "\xF0\x90\x80\x80"},
        {U'\U0003FFFF', "\xF0\xBF\xBF\xBF"}, {U'\U00040000', "\xF1\x80\x80\x80"},
        {U'\U000FFFFF', "\xF3\xBF\xBF\xBF"}, {U'\U00100000', "\xF4\x80\x80\x80"},
        {U'\U0010FFFF', "\xF4\x8F\xBF\xBF"},
    };
    std::string utf16 = "\xFF\xFE";
    std::string utf8 = "\xEF\xBB\xBF";
    Lines expected;
    for (const auto& character : characters) {
        const char32_t c = character.c;
        const char32_t units[2] = {c < 0x10000 ? c : 0xD800 + ((c - 0x10000) >> 10), 0xDC00 + (c & 0x3FF)};
        for (std::size_t i = 0; i < (c < 0x10000 ? 1u : 2u); ++i) {
            utf16 += {static_cast<char>(units[i] & 0xFF), static_cast<char>(units[i] >> 8)};
        }
        utf16 += {'\n', '\0'};
        utf8 += character.utf8 + "\n";
        expected.push_back(character.utf8 + "\n");
        const int nLength = AfxCharLength(character.utf8.c_str(), AfxTextEncoding::Utf8);
        EXPECT_EQ(nLength, static_cast<int>(character.utf8.size())) << std::hex << c;
        EXPECT_EQ(AfxUtf8CodePoint(character.utf8.c_str(), nLength), c) << std::hex << c;
    }
    EXPECT_EQ(ReadAll(utf16), expected);
    EXPECT_EQ(ReadAll(utf8), expected);
}

TEST(StdioFileTest, EndOfFileLeavesTheBufferUntouched)
{
    sim::Reset();
    sim::AddFile("f.txt", "x");
    CStdioFile file;
    ASSERT_TRUE(file.Open("f.txt"));
    char buffer[8] = "keep";
    ASSERT_NE(file.ReadString(buffer, sizeof buffer), nullptr);
    std::strcpy(buffer, "keep");
    EXPECT_EQ(file.ReadString(buffer, sizeof buffer), nullptr);
    EXPECT_STREQ(buffer, "keep");
    EXPECT_FALSE(file.HasReadError());
}

TEST(StdioFileTest, PositionsAreRawOffsets)
{
    sim::Reset();
    sim::AddFile("f.txt", "ab\r\ncd\r\nef\n");
    CStdioFile file;
    ASSERT_TRUE(file.Open("f.txt"));
    char buffer[16];
    EXPECT_EQ(file.GetPosition(), 0);
    file.ReadString(buffer, sizeof buffer);
    EXPECT_EQ(file.GetPosition(), 4);
    const long long second = file.GetPosition();
    file.ReadString(buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "cd\n");
    EXPECT_EQ(file.Seek(second, CStdioFile::begin), second);
    file.ReadString(buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "cd\n");
    EXPECT_EQ(file.Seek(-4, CStdioFile::current), 4);
    file.ReadString(buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "cd\n");
    EXPECT_EQ(file.Seek(-100, CStdioFile::current), -1);
}

TEST(StdioFileTest, SeekBackAcrossBlocks)
{
    std::string bytes(5000, 'a');
    bytes += "\r\nlast\r\n";
    for (const bool bInMemory : {false, true}) {
        CStdioFile file;
        ASSERT_TRUE(OpenAs(&file, bytes, bInMemory));
        std::vector<char> buffer(6000);
        file.ReadString(buffer.data(), 6000);
        const long long lastLine = file.GetPosition();
        EXPECT_EQ(lastLine, 5002);
        file.ReadString(buffer.data(), 6000);
        EXPECT_STREQ(buffer.data(), "last\n");
        file.Seek(0, CStdioFile::begin);
        file.ReadString(buffer.data(), 6000);
        EXPECT_EQ(std::string(buffer.data()).size(), 5001u);
        file.Seek(lastLine, CStdioFile::begin);
        file.ReadString(buffer.data(), 6000);
        EXPECT_STREQ(buffer.data(), "last\n");
        EXPECT_EQ(file.ReadString(buffer.data(), 6000), nullptr);
    }
}

TEST(StdioFileTest, ReadErrorIsReportedNotThrown)
{
    sim::Reset();
    sim::AddFile("f.txt", std::string(10000, 'a'));
    sim::SetFileReadError("f.txt", 4096);
    CStdioFile file;
    ASSERT_TRUE(file.Open("f.txt"));
    std::vector<char> buffer(1500);
    int lines = 0;
    while (file.ReadString(buffer.data(), 1500) != nullptr) {
        ++lines;
    }
    // 4096 bytes: two full pieces of 1499; the 1098 bytes read before the error are
    // no line, since the error cut it short.
    EXPECT_EQ(lines, 2);
    EXPECT_TRUE(file.HasReadError());
}

TEST(StdioFileTest, MissingFileDoesNotOpen)
{
    sim::Reset();
    CStdioFile file;
    EXPECT_FALSE(file.Open("setup.ini"));
    EXPECT_FALSE(file.IsOpen());
}

}  // namespace
