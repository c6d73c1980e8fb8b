// Splitting a command line into the program and its arguments for the shell.
#include <gtest/gtest.h>

#include "platform/framework/command_line.h"

namespace {

struct SplitCase {
    const char* cmdLine;
    const char* program;
    const char* arguments;
};

const SplitCase kSplitCases[] = {
    {"install.exe", "install.exe", ""},
    {"install.exe /s", "install.exe", "/s"},
    {"install.exe   /s /v", "install.exe", "/s /v"},
    {"install.exe\t/s", "install.exe", "/s"},
    {"  install.exe /s", "install.exe", "/s"},
    {"disk1\\setup.exe /lang 9 ", "disk1\\setup.exe", "/lang 9 "},
    {"\"C:\\Program Files\\App\\install.exe\"", "C:\\Program Files\\App\\install.exe", ""},
    {"\"C:\\Program Files\\App\\install.exe\" /q \"D:\\x y\"", "C:\\Program Files\\App\\install.exe",
     "/q \"D:\\x y\""},
    {"\"a b.exe\"/q", "a b.exe", "/q"},
    {" \"a b.exe\"   /q", "a b.exe", "/q"},
    {"\"a b.exe /q", "a b.exe /q", ""},
    {"\"\" /q", "", "/q"},
    {"", "", ""},
    {"   ", "", ""},
    // Double-byte text: the trail byte 0x5C is a backslash, never a separator.
    {"\x83\x5C\x83\x74\x83\x67.exe /s", "\x83\x5C\x83\x74\x83\x67.exe", "/s"},
};

TEST(SplitCommandLine, SplitsProgramFromArguments)
{
    for (const SplitCase& c : kSplitCases) {
        const CommandLineParts parts = SplitCommandLine(c.cmdLine);
        EXPECT_EQ(parts.program, c.program) << "command line: [" << c.cmdLine << "]";
        EXPECT_EQ(parts.arguments, c.arguments) << "command line: [" << c.cmdLine << "]";
    }
}

}  // namespace
