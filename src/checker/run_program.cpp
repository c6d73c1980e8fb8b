// Whether the [Run] program of a script is where the launcher will look for it.
#include "checker/run_program.h"

#include "checker/finding.h"
#include "platform/afx_file.h"
#include "platform/framework/command_line.h"
#include "script/medium_seal.h"

namespace {

// The search of one check, for the splitting's existence callback.
struct ProgramSearch {
    std::string folder;
    bool bUnicodeScript = false;
};
const ProgramSearch* g_pSearch = nullptr;

bool ExistsInFolder(const char* lpszPath)
{
    std::string relative;
    return FolderRelativePath(lpszPath, &relative) &&
           AfxFileExistsNoCase(g_pSearch->folder.c_str(), ScriptTextToUtf8(relative, g_pSearch->bUnicodeScript).c_str());
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
    const CommandLineParts parts = SplitCommandLine(pszCommandLine, ExistsInFolder);
    const std::string program = ProgramFile(parts.program.c_str(), parts.program.c_str() + parts.program.size());
    const bool bFound = program.empty() || ExistsInFolder(program.c_str());
    g_pSearch = nullptr;
    if (bFound) {
        return {};
    }
    const std::string named = "the [Run] program \"" + program + "\"";
    std::string relative;
    if (!FolderRelativePath(program, &relative)) {
        return named + " lies outside the script's folder: it cannot be checked, and on another machine or "
                       "medium it may not be there";
    }
    const bool bBareName = relative.find('\\') == std::string::npos;
    return named + " is not in the script's folder, in any letter case: " +
           (bBareName ? "only a program of Windows' own folders or the PATH would start"
                      : "the default button would fail to start it");
}
