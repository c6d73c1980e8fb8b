// The programs of Windows' own folders that publishers start from a [Run] line:
// installer packages, command scripts, DLL and INF registration, script hosts,
// registry files, and the programs that show a folder, a text or a help file.
#include "checker/system_programs.h"

#include "afx/text.h"

namespace {

const char kMsiexec[] = "msiexec.exe";

const char* const kSystemPrograms[] = {
    kMsiexec,      "cmd.exe",      "rundll32.exe", "regsvr32.exe", "reg.exe", "regedit.exe",
    "wscript.exe", "cscript.exe",  "explorer.exe", "notepad.exe",  "hh.exe",
};

}  // namespace

bool IsSystemProgram(const std::string& program)
{
    for (const char* pszName : kSystemPrograms) {
        if (AfxEqualNoCaseAscii(program.c_str(), pszName)) {
            return true;
        }
    }
    return false;
}

bool IsMsiexec(const std::string& program) { return AfxEqualNoCaseAscii(program.c_str(), kMsiexec); }
