// setupcheck: checks setup scripts as the launcher would read them, and prints each
// finding with its file, line and column.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "checker/script_check.h"

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
    "  --preview           print the message as the launcher wraps it at 96 DPI\n"
    "  --char-width=N      measure every character as N pixels (1-100) instead of\n"
    "                      the table of Wine's default font, which\n"
    "                      scripts/measure-font-widths.sh measures\n"
    "  --help              print this text\n"
    "\n"
    "Exit status: 0 when the launcher would show its window with no box about the\n"
    "script, 1 when it would end or complain (or a warning with --werror), 2 for a\n"
    "usage error or a file that cannot be read.\n";

struct Options {
    bool bJson = false;
    bool bWerror = false;
    bool bPreview = false;
    int nCharWidth = 0;
    std::vector<std::string> files;
};

bool ParseCharWidth(const char* psz, int* pnWidth)
{
    char* pEnd = nullptr;
    errno = 0;
    const long n = std::strtol(psz, &pEnd, 10);
    if (errno != 0 || pEnd == psz || *pEnd != '\0' || n < 1 || n > 100) {
        return false;
    }
    *pnWidth = static_cast<int>(n);
    return true;
}

// False, after saying why, on a usage error.
bool ParseOptions(int argc, char** argv, Options* pOptions, bool* pbHelp)
{
    bool bOptionsEnd = false;
    for (int i = 1; i < argc; ++i) {
        const char* pszArg = argv[i];
        if (bOptionsEnd || pszArg[0] != '-' || pszArg[1] == '\0') {
            pOptions->files.push_back(pszArg);
        } else if (std::strcmp(pszArg, "--") == 0) {
            bOptionsEnd = true;
        } else if (std::strcmp(pszArg, "--help") == 0 || std::strcmp(pszArg, "-h") == 0) {
            *pbHelp = true;
        } else if (std::strcmp(pszArg, "--format=json") == 0 || std::strcmp(pszArg, "--format=text") == 0) {
            pOptions->bJson = std::strcmp(pszArg, "--format=json") == 0;
        } else if (std::strcmp(pszArg, "--werror") == 0) {
            pOptions->bWerror = true;
        } else if (std::strcmp(pszArg, "--preview") == 0) {
            pOptions->bPreview = true;
        } else if (std::strncmp(pszArg, "--char-width=", 13) == 0) {
            if (!ParseCharWidth(pszArg + 13, &pOptions->nCharWidth)) {
                std::fprintf(stderr, "setupcheck: --char-width takes a whole number from 1 to 100\n");
                return false;
            }
        } else {
            std::fprintf(stderr, "setupcheck: unknown option %s\n", pszArg);
            return false;
        }
    }
    if (pOptions->bPreview && pOptions->bJson) {
        std::fprintf(stderr, "setupcheck: --preview prints text, not JSON\n");
        return false;
    }
    if (pOptions->files.empty() && !*pbHelp) {
        std::fprintf(stderr, "setupcheck: no script given\n");
        return false;
    }
    return true;
}

// The file's bytes; false, after saying why, when it cannot be read whole.
bool ReadWholeFile(const std::string& path, std::string* pBytes)
{
    std::FILE* pFile = std::fopen(path.c_str(), "rb");
    if (pFile == nullptr) {
        std::fprintf(stderr, "setupcheck: %s: cannot open: %s\n", path.c_str(), std::strerror(errno));
        return false;
    }
    char buffer[65536];
    bool bOk = true;
    for (;;) {
        const std::size_t nRead = std::fread(buffer, 1, sizeof buffer, pFile);
        pBytes->append(buffer, nRead);
        if (static_cast<long>(pBytes->size()) > kMaxScriptBytes) {
            std::fprintf(stderr, "setupcheck: %s: larger than %ld bytes, too large for a script\n", path.c_str(),
                         kMaxScriptBytes);
            bOk = false;
            break;
        }
        if (nRead < sizeof buffer) {
            if (std::ferror(pFile)) {
                std::fprintf(stderr, "setupcheck: %s: cannot read (a folder?): %s\n", path.c_str(),
                             std::strerror(errno));
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
    if (!ParseOptions(argc, argv, &options, &bHelp)) {
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }
    if (bHelp) {
        std::fputs(kUsage, stdout);
        return kExitClean;
    }
    const CCharWidths widths(options.nCharWidth);
    int nStatus = kExitClean;
    std::vector<std::string> json;
    for (const std::string& path : options.files) {
        std::string bytes;
        if (!ReadWholeFile(path, &bytes)) {
            nStatus = kExitUsage;
            continue;
        }
        const CheckResult result = CheckScript(path.c_str(), bytes, widths);
        if (result.bReadError) {
            std::fprintf(stderr, "setupcheck: %s: cannot read\n", path.c_str());
            nStatus = kExitUsage;
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
                std::printf("%s\n", FormatFindingText(path, nLine, nColumn, finding).c_str());
            }
            const bool bFails = finding.severity == Severity::Error ||
                                (finding.severity == Severity::Warning && options.bWerror);
            if (bFails && nStatus == kExitClean) {
                nStatus = kExitFindings;
            }
        }
        if (options.bPreview) {
            std::printf("%s: the message as the launcher wraps it, %d lines a page:\n%s", path.c_str(),
                        kViewVisibleLines,
                        result.bHasMessage ? FormatPreview(result.message, widths).c_str() : "(no [Message])\n");
        }
    }
    if (options.bJson) {
        std::printf("[");
        for (std::size_t i = 0; i < json.size(); ++i) {
            std::printf("%s\n%s", i == 0 ? "" : ",", json[i].c_str());
        }
        std::printf("%s]\n", json.empty() ? "" : "\n");
    }
    return nStatus;
}
