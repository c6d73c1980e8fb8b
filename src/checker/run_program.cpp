// Whether the [Run] program of a script is where the launcher will look for it.
#include "checker/run_program.h"

#include <vector>

#include "checker/finding.h"
#include "checker/system_programs.h"
#include "platform/afx_file.h"
#include "platform/framework/command_line.h"

namespace {

// The search of one check, for the splitting's existence callback.
struct ProgramSearch {
    std::string folder;
    bool bUnicodeScript = false;
};
const ProgramSearch* g_pSearch = nullptr;

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// A drive, a root or a network path: a place of its own, not relative to a folder.
bool IsAbsolute(const std::string& path)
{
    return (!path.empty() && IsSeparator(path[0])) || path.find(':') != std::string::npos;
}

// The names of a relative path without "." and the names that ".." takes back,
// joined by backslashes; false when ".." leaves the folder.
bool Normalised(const std::string& path, std::string* pResult)
{
    std::vector<std::string> names;
    std::string name;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i < path.size() && !IsSeparator(path[i])) {
            name += path[i];
            continue;
        }
        if (name == "..") {
            if (names.empty()) {
                return false;
            }
            names.pop_back();
        } else if (!name.empty() && name != ".") {
            names.push_back(name);
        }
        name.clear();
    }
    pResult->clear();
    for (const std::string& each : names) {
        *pResult += (pResult->empty() ? "" : "\\") + each;
    }
    return !names.empty();
}

bool ExistsInFolder(const char* lpszPath)
{
    std::string relative;
    return !IsAbsolute(lpszPath) && Normalised(lpszPath, &relative) &&
           AfxFileExistsNoCase(g_pSearch->folder.c_str(), ScriptTextToUtf8(relative, g_pSearch->bUnicodeScript).c_str());
}

// Where the launcher's start finds a program: the script's folder, or Windows' own.
bool ProgramFound(const char* lpszPath) { return ExistsInFolder(lpszPath) || IsSystemProgram(lpszPath); }

// The first package or patch of an msiexec line that is not in the script's folder,
// where msiexec, started there, looks for it; empty when there is none.
std::string MissingMsiexecPackage(const std::string& arguments)
{
    for (const std::string& package : MsiexecPackages(arguments.c_str())) {
        if (!ExistsInFolder(package.c_str())) {
            return package;
        }
    }
    return {};
}

std::string FolderOf(const std::string& path)
{
    const std::size_t nSeparator = path.find_last_of("\\/");
    return nSeparator == std::string::npos ? "" : path.substr(0, nSeparator + 1);
}

}  // namespace

std::string MissingRunProgram(const char* pszScriptPath, const char* pszCommandLine, bool bUnicodeScript)
{
    const ProgramSearch search{FolderOf(pszScriptPath), bUnicodeScript};
    g_pSearch = &search;
    const CommandLineParts parts = SplitCommandLine(pszCommandLine, ProgramFound);
    const std::string program = ProgramFile(parts.program.c_str(), parts.program.c_str() + parts.program.size());
    const bool bFound = program.empty() || ProgramFound(program.c_str());
    const std::string package = bFound && IsMsiexec(program) ? MissingMsiexecPackage(parts.arguments) : "";
    g_pSearch = nullptr;
    if (bFound && package.empty()) {
        return {};
    }
    const std::string file = bFound ? package : program;
    const std::string named = (bFound ? "the msiexec package \"" : "the [Run] program \"") + file + "\"";
    std::string relative;
    if (IsAbsolute(file) || !Normalised(file, &relative)) {
        return named + " lies outside the script's folder: it cannot be checked, and on another machine or "
                       "medium it may not be there";
    }
    const bool bBareName = relative.find('\\') == std::string::npos;
    return named + " is not in the script's folder, in any letter case: " +
           (bFound ? "msiexec would not find it"
                   : bBareName ? "only a program of Windows' own folders or the PATH would start"
                               : "the default button would fail to start it");
}
