// setupcheck: checks setup scripts as the launcher would read them, and prints each
// finding with its file, line and column.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "checker/script_check.h"
#include "checker/seal_tool.h"
#include "platform/console/console_system.h"
#include "script/language_choice.h"

namespace {

constexpr int kExitClean = 0;
constexpr int kExitFindings = 1;
constexpr int kExitUsage = 2;
// Far beyond any real script; larger files are refused rather than read into memory.
constexpr long kMaxScriptBytes = 4L * 1024 * 1024;

const char kUsage[] =
    "Usage: setupcheck [options] FILE...\n"
    "Checks setup scripts (setup.ini) as the launcher reads them.\n"
    "Prints FILE:LINE:COLUMN: error|warning|note: text [code] for each finding.\n"
    "\n"
    "  --format=text|json  one line per finding (default), or one JSON array\n"
    "  --werror            warnings make the exit status 1 too\n"
    "  --code-page=N       read a script without a byte-order mark in the Windows\n"
    "                      code page N (default 1252), as the launcher reads it\n"
    "                      on a system of that code page\n"
    "  --preview           print the message as the launcher lays it out\n"
    "  --dpi=N             the display scale of the launcher's window (default 96;\n"
    "                      setupcheck.exe only: the system's font and window\n"
    "                      borders are the display's own, so give its scale)\n"
    "  --lang=TAG          preview the message a user of language TAG sees (de,\n"
    "                      pt-BR); default: the untagged sections\n"
    "  --char-width=N      measure every character as N pixels (1-100) instead of\n"
    "                      the view's font (natively a table of Wine's default font,\n"
    "                      which scripts/measure-font-widths.sh measures)\n"
    "  --title             print each script's [Title] in UTF-8, and no findings\n"
    "  --seal SETUP_EXE FOLDER  whether a sealed launcher's seal matches the folder,\n"
    "                      file by file: exit 0 it does, 1 it does not, 2 no seal\n"
    "  --make-seal FOLDER OUT [DEPFILE]  write the seal of a medium's folder (the\n"
    "                      build does this), and the make rule of its inputs\n"
    "  --version           print the version\n"
    "  --help              print this text\n"
    "\n"
    "Exit status: 0 when the launcher would show its window with no box about the\n"
    "script, 1 when it would end or complain (or a warning with --werror), 2 for a\n"
    "usage error or a file that cannot be read.\n";

struct Options {
    bool bJson = false;
    bool bWerror = false;
    bool bPreview = false;
    bool bTitle = false;
    int nCharWidth = 0;
    int nDpi = 96;
    unsigned nCodePage = 1252;
    std::string language;
    std::vector<std::string> files;
};

// A whole number from nMin to nMax.
bool ParseNumber(const char* psz, long nMin, long nMax, long* pnValue)
{
    char* pEnd = nullptr;
    errno = 0;
    const long n = std::strtol(psz, &pEnd, 10);
    if (errno != 0 || pEnd == psz || *pEnd != '\0' || n < nMin || n > nMax) {
        return false;
    }
    *pnValue = n;
    return true;
}

// False, after saying why, on a usage error.
bool ParseOptions(const std::vector<std::string>& arguments, Options* pOptions, bool* pbHelp, bool* pbVersion)
{
    bool bOptionsEnd = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const char* pszArg = arguments[i].c_str();
        long nNumber = 0;
        if (bOptionsEnd || pszArg[0] != '-' || pszArg[1] == '\0') {
            pOptions->files.push_back(pszArg);
        } else if (std::strcmp(pszArg, "--") == 0) {
            bOptionsEnd = true;
        } else if (std::strcmp(pszArg, "--help") == 0 || std::strcmp(pszArg, "-h") == 0) {
            *pbHelp = true;
        } else if (std::strcmp(pszArg, "--format=json") == 0 || std::strcmp(pszArg, "--format=text") == 0) {
            pOptions->bJson = std::strcmp(pszArg, "--format=json") == 0;
        } else if (std::strcmp(pszArg, "--version") == 0) {
            *pbVersion = true;
        } else if (std::strcmp(pszArg, "--werror") == 0) {
            pOptions->bWerror = true;
        } else if (std::strcmp(pszArg, "--preview") == 0) {
            pOptions->bPreview = true;
        } else if (std::strcmp(pszArg, "--title") == 0) {
            pOptions->bTitle = true;
        } else if (std::strncmp(pszArg, "--char-width=", 13) == 0) {
            if (!ParseNumber(pszArg + 13, 1, 100, &nNumber)) {
                std::fprintf(stderr, "setupcheck: --char-width takes a whole number from 1 to 100\n");
                return false;
            }
            pOptions->nCharWidth = static_cast<int>(nNumber);
        } else if (std::strncmp(pszArg, "--lang=", 7) == 0) {
            if (!IsLanguageTag(pszArg + 7, std::strlen(pszArg + 7))) {
                std::fprintf(stderr, "setupcheck: --lang takes a language tag such as de or pt-BR\n");
                return false;
            }
            pOptions->language = pszArg + 7;
        } else if (std::strncmp(pszArg, "--dpi=", 6) == 0) {
            if (!ParseNumber(pszArg + 6, 48, 480, &nNumber) || !MeasuresAtDpi(static_cast<int>(nNumber))) {
                std::fprintf(stderr, MeasuresAtDpi(144) ? "setupcheck: --dpi takes a display scale from 48 to 480\n"
                                                        : "setupcheck: this checker measures at 96 DPI only; "
                                                          "setupcheck.exe measures at other scales\n");
                return false;
            }
            pOptions->nDpi = static_cast<int>(nNumber);
        } else if (std::strncmp(pszArg, "--code-page=", 12) == 0) {
            if (!ParseNumber(pszArg + 12, 1, 65535, &nNumber)) {
                std::fprintf(stderr, "setupcheck: --code-page takes the number of a Windows code page\n");
                return false;
            }
            pOptions->nCodePage = static_cast<unsigned>(nNumber);
        } else {
            std::fprintf(stderr, "setupcheck: unknown option %s\n", pszArg);
            return false;
        }
    }
    if (pOptions->bTitle && (pOptions->bPreview || pOptions->bJson)) {
        std::fprintf(stderr, "setupcheck: --title prints the title alone\n");
        return false;
    }
    if (pOptions->bPreview && pOptions->bJson) {
        std::fprintf(stderr, "setupcheck: --preview prints text, not JSON\n");
        return false;
    }
    if (pOptions->files.empty() && !*pbHelp && !*pbVersion) {
        std::fprintf(stderr, "setupcheck: no script given\n");
        return false;
    }
    return true;
}

// The file's bytes; false, after saying why, when it cannot be read whole.
bool ReadWholeFile(const std::string& path, std::string* pBytes)
{
    std::FILE* pFile = ConsoleOpenFile(path.c_str());
    if (pFile == nullptr) {
        ConsoleWrite(stderr, "setupcheck: " + path + ": cannot open: " + std::strerror(errno) + "\n");
        return false;
    }
    char buffer[65536];
    bool bOk = true;
    for (;;) {
        const std::size_t nRead = std::fread(buffer, 1, sizeof buffer, pFile);
        pBytes->append(buffer, nRead);
        if (static_cast<long>(pBytes->size()) > kMaxScriptBytes) {
            ConsoleWrite(stderr, "setupcheck: " + path + ": larger than " + std::to_string(kMaxScriptBytes) +
                                     " bytes, too large for a script\n");
            bOk = false;
            break;
        }
        if (nRead < sizeof buffer) {
            if (std::ferror(pFile)) {
                ConsoleWrite(stderr, "setupcheck: " + path + ": cannot read (a folder?): " + std::strerror(errno) + "\n");
                bOk = false;
            }
            break;
        }
    }
    std::fclose(pFile);
    return bOk;
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    bool bHelp = false;
    bool bVersion = false;
    const std::vector<std::string> arguments = ConsoleArguments(argc, argv);
    if (arguments.size() > 1 && IsSealCommand(arguments[1])) {
        return RunSealCommand(arguments);
    }
    if (!ParseOptions(arguments, &options, &bHelp, &bVersion)) {
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }
    if (bHelp || bVersion) {
        std::fputs(bHelp ? kUsage : "setupcheck " SETUP_VERSION "\n", stdout);
        return kExitClean;
    }
    if (!ConsoleSetCodePage(options.nCodePage)) {
        std::fprintf(stderr, "setupcheck: code page %u is not known here\n", options.nCodePage);
        return kExitUsage;
    }
    const CTextWidths widths(options.nCharWidth, options.nDpi);
    int nStatus = kExitClean;
    std::vector<std::string> json;
    for (const std::string& path : options.files) {
        std::string bytes;
        if (!ReadWholeFile(path, &bytes)) {
            nStatus = kExitUsage;
            continue;
        }
        const CheckResult result = CheckScript(path.c_str(), bytes, widths, options.language.c_str());
        if (result.bReadError) {
            ConsoleWrite(stderr, "setupcheck: " + path + ": cannot read\n");
            nStatus = kExitUsage;
            continue;
        }
        if (options.bTitle) {
            ConsoleWrite(stdout, result.title + "\n");
            continue;
        }
        const CLineIndex index(bytes);
        for (const Finding& finding : result.findings) {
            int nLine = 0;
            int nColumn = 0;
            index.Locate(finding.nOffset, &nLine, &nColumn);
            if (options.bJson) {
                json.push_back(FormatFindingJson(path, nLine, nColumn, finding));
            } else {
                ConsoleWrite(stdout, FormatFindingText(path, nLine, nColumn, finding) + "\n");
            }
            if (FailsCheck(finding, options.bWerror) && nStatus == kExitClean) {
                nStatus = kExitFindings;
            }
        }
        if (options.bPreview) {
            std::printf("%s: the message as the launcher wraps it, %d lines a page:\n%s", path.c_str(),
                        ViewSizeFor(widths).nVisibleLines,
                        result.bHasMessage ? FormatPreview(result.message, result.encoding, widths).c_str() : "(no [Message])\n");
        }
    }
    if (options.bJson) {
        std::string array = "[";
        for (std::size_t i = 0; i < json.size(); ++i) {
            array += (i == 0 ? "\n" : ",\n") + json[i];
        }
        ConsoleWrite(stdout, array + (json.empty() ? "]\n" : "\n]\n"));
    }
    return nStatus;
}
