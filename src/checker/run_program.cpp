// Whether the [Run] program of a script is where the launcher will look for it.
#include "checker/run_program.h"

#include "checker/finding.h"
#include "checker/system_programs.h"
#include "afx/file.h"
#include "afx/command_line.h"
#include "script/medium_seal.h"

namespace {

// Whether the path, text of the script's encoding, names a file under the folder.
bool ExistsInFolder(const char* pszFolder, const char* lpszPath, AfxTextEncoding encoding)
{
    std::string relative;
    return FolderRelativePath(lpszPath, encoding, &relative) &&
           AfxFileExistsNoCase(pszFolder, ScriptTextToUtf8(relative, encoding == AfxTextEncoding::Utf8).c_str());
}

// The first package or patch of an msiexec line that is not in the script's folder,
// where msiexec, started there, looks for it; empty when there is none.
std::string MissingMsiexecPackage(const std::string& arguments, const char* pszFolder, AfxTextEncoding encoding)
{
    for (const std::string& package : MsiexecPackages(arguments.c_str())) {
        if (!ExistsInFolder(pszFolder, package.c_str(), encoding)) {
            return package;
        }
    }
    return {};
}

}  // namespace

std::string MissingRunProgram(const char* pszFolder, const char* pszCommandLine, AfxTextEncoding encoding)
{
    // Where the launcher's start finds a program: the script's folder, or Windows' own.
    const auto programFound = [pszFolder, encoding](const char* lpszPath) {
        return ExistsInFolder(pszFolder, lpszPath, encoding) || IsSystemProgram(lpszPath);
    };
    const CommandLineParts parts = SplitCommandLine(pszCommandLine, encoding, programFound);
    const std::string program =
        ProgramFile(parts.program.c_str(), parts.program.c_str() + parts.program.size(), encoding);
    const bool bFound = program.empty() || programFound(program.c_str());
    const std::string package =
        bFound && IsMsiexec(program) ? MissingMsiexecPackage(parts.arguments, pszFolder, encoding) : "";
    if (bFound && package.empty()) {
        return {};
    }
    const std::string file = bFound ? package : program;
    const std::string named = (bFound ? "the msiexec package \"" : "the [Run] program \"") + file + "\"";
    std::string relative;
    if (!FolderRelativePath(file, encoding, &relative)) {
        return named + " lies outside the script's folder: it cannot be checked, and on another machine or "
                       "medium it may not be there";
    }
    const bool bBareName = relative.find('\\') == std::string::npos;
    return named + " is not in the script's folder, in any letter case: " +
           (bFound ? "msiexec would not find it"
                   : bBareName ? "only a program of Windows' own folders or the PATH would start"
                               : "the default button would fail to start it");
}
