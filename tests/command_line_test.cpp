// Splitting a command line into the program and its arguments for the shell, and the
// names in it that a sealed medium covers.
#include <gtest/gtest.h>

#include <string>

#include "platform/framework/command_line.h"
#include "script/medium_seal.h"

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
    // Unquoted blanks: each is tried in turn, the first prefix that names a program wins.
    {"C:\\Program Files\\App\\setup.exe /S", "C:\\Program Files\\App\\setup.exe", "/S"},
    {"C:\\Program Files\\App\\setup /S", "C:\\Program Files\\App\\setup.exe", "/S"},
    {"D:\\Old Tools\\run now.exe", "D:\\Old.exe", "Tools\\run now.exe"},
    {"D:\\my.dir\\tool x", "D:\\my.dir\\tool.exe", "x"},
};

// The programs that exist, for the cases above.
bool ProgramExists(const char* lpszPath)
{
    const std::string path = lpszPath;
    return path == "C:\\Program Files\\App\\setup.exe" || path == "D:\\Old.exe" || path == "D:\\my.dir\\tool.exe";
}

TEST(SplitCommandLine, SplitsProgramFromArguments)
{
    for (const SplitCase& c : kSplitCases) {
        const CommandLineParts parts = SplitCommandLine(c.cmdLine, ProgramExists);
        EXPECT_EQ(parts.program, c.program) << "command line: [" << c.cmdLine << "]";
        EXPECT_EQ(parts.arguments, c.arguments) << "command line: [" << c.cmdLine << "]";
    }
}


// The names of a command line that a seal covers: those inside the script's folder,
// as the line writes them (letter case kept), the program first with ".exe" added.
struct FolderNamesCase {
    const char* cmdLine;
    const char* names;  // each as "p:NAME" (the program) or "a:NAME", separated by "|"
};

const FolderNamesCase kFolderNamesCases[] = {
    {"Install.EXE /quiet", "p:Install.EXE"},
    {"setup", "p:setup.exe"},
    {"\"Disk 1\\setup\" /s", "p:Disk 1\\setup.exe"},
    {"msiexec /i product.msi /qn", "p:msiexec.exe|a:product.msi"},
    {"msiexec /i \"My Product.msi\" TARGET=\"C:\\x y\"", "p:msiexec.exe|a:My Product.msi"},
    {"de\\Setup.exe \"Read Me.txt\" sub\\..\\data.bin", "p:de\\Setup.exe|a:Read Me.txt|a:sub\\..\\data.bin"},
    // Outside the folder: a drive, a root, a network path, a climb above it, a stream.
    {"C:\\Windows\\system32\\msiexec.exe /i x.msi", "a:x.msi"},
    {"\\tools\\run.exe ..\\up.msi /x sub\\..\\in.msi", "a:sub\\..\\in.msi"},
    {"\\\\server\\share\\setup.exe ..\\..\\a.txt x\\..\\..\\b.txt", ""},
    {"setup.exe setup.exe:stream . .\\ \"\"", "p:setup.exe"},
    // Unquoted blanks: the program that exists wins, the rest are arguments.
    {"my setup.exe /S", "p:my setup.exe"},
    {"", ""},
};

bool ExistsInFolder(const char* lpszPath) { return std::string(lpszPath) == "my setup.exe"; }

TEST(CommandLineFolderNames, NamesInsideTheFolderAsWritten)
{
    for (const FolderNamesCase& c : kFolderNamesCases) {
        std::string names;
        for (const CommandLineName& each : CommandLineFolderNames(c.cmdLine, ExistsInFolder)) {
            names += (names.empty() ? "" : "|") + std::string(each.bProgram ? "p:" : "a:") + each.name;
        }
        EXPECT_EQ(names, c.names) << "command line: [" << c.cmdLine << "]";
    }
}

}  // namespace
