// Splitting a command line into the program and its arguments for the shell, and the
// names in it that a sealed medium covers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "afx/command_line.h"
#include "backend/sim/sim.h"
#include "script/medium_seal.h"

namespace {

struct SplitCase {
    const char* cmdLine;
    const char* program;
    const char* arguments;
    // The line's encoding, on a system of a double-byte code page.
    AfxTextEncoding encoding = AfxTextEncoding::Ansi;
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
    // The line's own encoding decides, not the system's: in ANSI text 0x83 0x5C is one
    // character and 0x82 0x2E another, in UTF-8 the 0x5C is a separator and the 0x2E
    // a full stop, so ".exe" is added to the name "x" and not to "\xE3\x81\x82.x".
    {"dir.d\x83\x5Cx /s", "dir.d\x83\x5Cx", "/s"},
    {"dir.d\x83\x5Cx /s", "dir.d\x83\x5Cx.exe", "/s", AfxTextEncoding::Utf8},
    {"\xE3\x81\x82.x /s", "\xE3\x81\x82.x.exe", "/s"},
    {"\xE3\x81\x82.x /s", "\xE3\x81\x82.x", "/s", AfxTextEncoding::Utf8},
};

// The programs that exist, for the cases above.
bool ProgramExists(const char* lpszPath)
{
    const std::string path = lpszPath;
    return path == "C:\\Program Files\\App\\setup.exe" || path == "D:\\Old.exe" || path == "D:\\my.dir\\tool.exe" ||
           path == "dir.d\x83\x5Cx.exe" || path == "\xE3\x81\x82.x.exe";
}

TEST(SplitCommandLine, SplitsProgramFromArguments)
{
    sim::Reset();
    sim::SetDoubleByteCodePage(true);
    for (const SplitCase& c : kSplitCases) {
        const CommandLineParts parts = SplitCommandLine(c.cmdLine, c.encoding, ProgramExists);
        EXPECT_EQ(parts.program, c.program) << "command line: [" << c.cmdLine << "]";
        EXPECT_EQ(parts.arguments, c.arguments) << "command line: [" << c.cmdLine << "]";
    }
    sim::Reset();
}

// The packages msiexec's arguments name: after the package options only, in any
// letter case and with "-", quotes removed; not a UI option that begins like one, not
// a product code.
TEST(MsiexecPackages, NamedAfterPackageOptions)
{
    const struct {
        const char* arguments;
        std::vector<std::string> packages;
    } cases[] = {
        {"/i product.msi /qn", {"product.msi"}},
        {"  -I \"Disk 1\\Product.msi\"\t/qn", {"Disk 1\\Product.msi"}},
        {"/PACKAGE a.msi /passive", {"a.msi"}},
        {"/a admin.msi /p fix.msp", {"admin.msi", "fix.msp"}},
        {"/Update fix.msp", {"fix.msp"}},
        {"/passive /qn TARGETDIR=\"C:\\x y\" /log i.txt", {}},
        {"/i {12345678-1234-1234-1234-123456789012} REINSTALL=ALL", {}},
        {"/x product.msi", {}},
        {"/i", {}},
        {"", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MsiexecPackages(c.arguments), c.packages) << "arguments: [" << c.arguments << "]";
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
        for (const CommandLineName& each : CommandLineFolderNames(c.cmdLine, AfxTextEncoding::Ansi, ExistsInFolder)) {
            names += (names.empty() ? "" : "|") + std::string(each.bProgram ? "p:" : "a:") + each.name;
        }
        EXPECT_EQ(names, c.names) << "command line: [" << c.cmdLine << "]";
    }
}

}  // namespace
