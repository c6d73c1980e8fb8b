// setupcheck: checks setup scripts as the launcher would read them, and prints each
// finding with its file, line and column, or the message as the launcher lays it out,
// or the title; the medium's names and the seal are checked by their own tools.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "checker/medium_names.h"
#include "checker/script_check.h"
#include "checker/seal_tool.h"
#include "backend/console/console_system.h"
#include "script/language_choice.h"

namespace {

constexpr int kExitClean = 0;
constexpr int kExitFindings = 1;
constexpr int kExitUsage = 2;
// Far beyond any real script; larger files are refused rather than read into memory.
constexpr long kMaxScriptBytes = 4L * 1024 * 1024;
// The file name that stands for the standard input, and the name findings give it.
const char kStandardInput[] = "-";
const char kStandardInputName[] = "<stdin>";

const char kUsage[] =
    "Usage: setupcheck [options] FILE...\n"
    "Checks setup scripts (setup.ini) as the launcher reads them; FILE - is the\n"
    "standard input. Prints FILE:LINE:COLUMN: error|warning|note: text [code] for\n"
    "each finding. An option's value follows it as --opt=VALUE or --opt VALUE.\n"
    "\n"
    "  --format=text|json  one line per finding (default), or one JSON array\n"
    "  --werror            warnings make the exit status 1 too\n"
    "  --code-page=N       read a script without a byte-order mark in the Windows\n"
    "                      code page N, as the launcher reads it on a system of\n"
    "                      that code page (default: 1252; setupcheck.exe: the\n"
    "                      system's ANSI code page, as the launcher there)\n"
    "  --preview           print the message as the launcher lays it out, in UTF-8\n"
    "  --dpi=N             the display scale of the launcher's window (default 96;\n"
    "                      setupcheck.exe only: the system's font and window\n"
    "                      borders are the display's own, so give its scale)\n"
    "  --lang=TAG          with --preview: the message a user of language TAG sees\n"
    "                      (de, pt-BR); default: the untagged sections\n"
    "  --char-width=N      measure every character as N pixels (1-100) instead of\n"
    "                      the view's font (natively a table of Wine's default font,\n"
    "                      which scripts/measure-font-widths.sh measures)\n"
    "  --title             print each script's [Title] in UTF-8, and no findings\n"
    "  --seal SETUP_EXE FOLDER  whether a sealed launcher's seal matches the folder,\n"
    "                      file by file: exit 0 it does, 1 it does not, 2 no seal\n"
    "  --make-seal FOLDER OUT [DEPFILE]  write the seal of a medium's folder (the\n"
    "                      build does this), and the make rule of its inputs\n"
    "  --version           print the version\n"
    "  --medium-names [ROOT_NAME...]\n"
    "                      read a medium's paths, each ended by a NUL byte, and\n"
    "                      print each name Windows cannot hold or tell apart\n"
    "                      from another (or from a ROOT_NAME), with the reason\n"
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
    unsigned nCodePage = ConsoleDefaultCodePage();
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

// The options that take a value, and how each takes it; false, after saying why,
// when the value is not one the option takes.
struct ValueOption {
    const char* pszName;
    bool (*pfnTake)(const char* pszValue, Options* pOptions);
};

bool TakeFormat(const char* pszValue, Options* pOptions)
{
    if (std::strcmp(pszValue, "json") != 0 && std::strcmp(pszValue, "text") != 0) {
        std::fprintf(stderr, "setupcheck: --format takes text or json\n");
        return false;
    }
    pOptions->bJson = std::strcmp(pszValue, "json") == 0;
    return true;
}

// A whole number from nMin to nMax that pfnAccepts takes, into *pnValue; false, after
// saying what the option takes, when the value is none.
template <typename Number>
bool TakeNumber(const char* pszValue, long nMin, long nMax, bool (*pfnAccepts)(int), const char* pszTakes,
                Number* pnValue)
{
    long nNumber = 0;
    if (!ParseNumber(pszValue, nMin, nMax, &nNumber) || !pfnAccepts(static_cast<int>(nNumber))) {
        std::fprintf(stderr, "setupcheck: %s\n", pszTakes);
        return false;
    }
    *pnValue = static_cast<Number>(nNumber);
    return true;
}

bool AnyNumber(int) { return true; }

bool TakeCharWidth(const char* pszValue, Options* pOptions)
{
    return TakeNumber(pszValue, 1, 100, AnyNumber, "--char-width takes a whole number from 1 to 100",
                      &pOptions->nCharWidth);
}

bool TakeLanguage(const char* pszValue, Options* pOptions)
{
    if (!IsLanguageTag(pszValue, std::strlen(pszValue))) {
        std::fprintf(stderr, "setupcheck: --lang takes a language tag such as de or pt-BR\n");
        return false;
    }
    pOptions->language = pszValue;
    return true;
}

bool TakeDpi(const char* pszValue, Options* pOptions)
{
    return TakeNumber(pszValue, 48, 480, MeasuresAtDpi,
                      MeasuresAtDpi(144) ? "--dpi takes a display scale from 48 to 480"
                                         : "this checker measures at 96 DPI only; setupcheck.exe measures at other scales",
                      &pOptions->nDpi);
}

bool TakeCodePage(const char* pszValue, Options* pOptions)
{
    return TakeNumber(pszValue, 1, 65535, AnyNumber, "--code-page takes the number of a Windows code page",
                      &pOptions->nCodePage);
}

const ValueOption kValueOptions[] = {
    {"--format", TakeFormat}, {"--char-width", TakeCharWidth}, {"--lang", TakeLanguage},
    {"--dpi", TakeDpi},       {"--code-page", TakeCodePage},
};

// The option of that name that takes a value, when pszArg is "--name" or "--name=VALUE"
// (*ppszValue then points after the '='; null when the value is the next argument).
const ValueOption* FindValueOption(const char* pszArg, const char** ppszValue)
{
    for (const ValueOption& option : kValueOptions) {
        const std::size_t nName = std::strlen(option.pszName);
        if (std::strncmp(pszArg, option.pszName, nName) == 0 && (pszArg[nName] == '\0' || pszArg[nName] == '=')) {
            *ppszValue = pszArg[nName] == '=' ? pszArg + nName + 1 : nullptr;
            return &option;
        }
    }
    return nullptr;
}

// False, after saying why, on a usage error.
bool ParseOptions(const std::vector<std::string>& arguments, Options* pOptions, bool* pbHelp, bool* pbVersion)
{
    bool bOptionsEnd = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const char* pszArg = arguments[i].c_str();
        const char* pszValue = nullptr;
        if (bOptionsEnd || pszArg[0] != '-' || pszArg[1] == '\0') {
            pOptions->files.push_back(pszArg);
        } else if (std::strcmp(pszArg, "--") == 0) {
            bOptionsEnd = true;
        } else if (std::strcmp(pszArg, "--help") == 0 || std::strcmp(pszArg, "-h") == 0) {
            *pbHelp = true;
        } else if (std::strcmp(pszArg, "--version") == 0) {
            *pbVersion = true;
        } else if (std::strcmp(pszArg, "--werror") == 0) {
            pOptions->bWerror = true;
        } else if (std::strcmp(pszArg, "--preview") == 0) {
            pOptions->bPreview = true;
        } else if (std::strcmp(pszArg, "--title") == 0) {
            pOptions->bTitle = true;
        } else if (const ValueOption* pOption = FindValueOption(pszArg, &pszValue)) {
            if (pszValue == nullptr && i + 1 == arguments.size()) {
                std::fprintf(stderr, "setupcheck: %s needs a value\n", pOption->pszName);
                return false;
            }
            if (!pOption->pfnTake(pszValue != nullptr ? pszValue : arguments[++i].c_str(), pOptions)) {
                return false;
            }
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
    if (!pOptions->language.empty() && !pOptions->bPreview) {
        std::fprintf(stderr, "setupcheck: --lang needs --preview: it chooses the message the preview shows\n");
        return false;
    }
    if (pOptions->files.empty() && !*pbHelp && !*pbVersion) {
        std::fprintf(stderr, "setupcheck: no script given\n");
        return false;
    }
    return true;
}

// The file's bytes, "-" the standard input's; false, after saying why, when it cannot
// be read whole. Each script is read once, whatever it is: a pipe gives its bytes once.
bool ReadWholeFile(const std::string& path, std::string* pBytes)
{
    const bool bStandardInput = path == kStandardInput;
    std::FILE* pFile = bStandardInput ? ConsoleStandardInput() : ConsoleOpenFile(path.c_str());
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
    if (!bStandardInput) {
        std::fclose(pFile);
    }
    return bOk;
}

// The preview's lines, each of the script's encoding, in UTF-8.
std::string PreviewInUtf8(const std::string& preview, AfxTextEncoding encoding)
{
    std::string text;
    for (std::size_t nStart = 0; nStart < preview.size();) {
        const std::size_t nEnd = std::min(preview.find('\n', nStart), preview.size());
        text += ScriptTextToUtf8(preview.substr(nStart, nEnd - nStart), encoding == AfxTextEncoding::Utf8);
        text += nEnd < preview.size() ? "\n" : "";
        nStart = nEnd + 1;
    }
    return text;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "--medium-names") == 0) {
        return RunMediumNamesCheck(std::vector<std::string>(argv + 2, argv + argc));
    }
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
    const CTextWidths widths(options.nCharWidth, options.nDpi, options.nCodePage);
    int nStatus = kExitClean;
    std::vector<std::string> json;
    for (const std::string& file : options.files) {
        std::string bytes;
        if (!ReadWholeFile(file, &bytes)) {
            nStatus = kExitUsage;
            continue;
        }
        const std::string path = file == kStandardInput ? kStandardInputName : file;
        const std::string folder = file == kStandardInput ? "" : ConsoleScriptFolder(file);
        const CheckResult result = CheckScript(bytes, folder.c_str(), widths, options.language.c_str());
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
            ConsoleWrite(stdout, path + ": the message as the launcher wraps it, " +
                                     std::to_string(ViewSizeFor(widths).nVisibleLines) + " lines a page:\n" +
                                     (result.bHasMessage ? PreviewInUtf8(FormatPreview(result.message, result.encoding, widths),
                                                                         result.encoding)
                                                         : "(no [Message])\n"));
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
