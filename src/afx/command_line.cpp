// Splitting a command line into its program and its arguments.
#include "afx/command_line.h"

#include "afx/text.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

const char* SkipBlanks(const char* p)
{
    while (IsBlank(*p)) {
        ++p;
    }
    return p;
}

// The end of the unquoted program: the first blank, or the end of the line, at which
// the text so far names an existing program; the first blank when none does.
const char* UnquotedProgramEnd(const char* pStart, AfxTextEncoding encoding, const ProgramExistsFunction& programExists,
                               std::string* pProgram)
{
    const char* pFirstBlank = nullptr;
    for (const char* p = pStart;; ++p) {
        if (*p != '\0' && !IsBlank(*p)) {
            continue;
        }
        pFirstBlank = pFirstBlank != nullptr ? pFirstBlank : p;
        *pProgram = ProgramFile(pStart, p, encoding);
        if (p != pStart && programExists(pProgram->c_str())) {
            return p;
        }
        if (*p == '\0') {
            pProgram->assign(pStart, pFirstBlank);
            return pFirstBlank;
        }
    }
}

// The argument at p, its quotes removed, and where it ends.
const char* NextArgument(const char* p, std::string* pArgument)
{
    pArgument->clear();
    bool bQuoted = false;
    for (; *p != '\0' && (bQuoted || !IsBlank(*p)); ++p) {
        if (*p == '"') {
            bQuoted = !bQuoted;
        } else {
            *pArgument += *p;
        }
    }
    return p;
}

bool NamesPackage(const std::string& option)
{
    static const char* const kPackageOptions[] = {"i", "package", "a", "p", "update"};
    if (option.size() < 2 || (option[0] != '/' && option[0] != '-')) {
        return false;
    }
    for (const char* pszName : kPackageOptions) {
        if (AfxEqualNoCaseAscii(option.c_str() + 1, pszName)) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::string ProgramFile(const char* pStart, const char* pEnd, AfxTextEncoding encoding)
{
    std::string program(pStart, pEnd);
    const char* pSeparator = AfxFindLastOf(program.c_str(), "\\/:", encoding);
    const char* pName = pSeparator != nullptr ? pSeparator + 1 : program.c_str();
    if (!program.empty() && AfxStrChr(pName, '.', encoding) == nullptr) {
        program += ".exe";
    }
    return program;
}

CommandLineParts SplitCommandLine(const char* lpszCmdLine, AfxTextEncoding encoding,
                                  const ProgramExistsFunction& programExists)
{
    CommandLineParts parts;
    const char* p = SkipBlanks(lpszCmdLine);
    if (*p == '"') {
        const char* pStart = ++p;
        while (*p != '\0' && *p != '"') {
            ++p;
        }
        parts.program.assign(pStart, p);
        if (*p == '"') {
            ++p;
        }
    } else {
        p = UnquotedProgramEnd(p, encoding, programExists, &parts.program);
    }
    parts.arguments = SkipBlanks(p);
    return parts;
}

std::vector<std::string> SplitArguments(const char* lpszArguments)
{
    std::vector<std::string> arguments;
    std::string argument;
    for (const char* p = SkipBlanks(lpszArguments); *p != '\0'; p = SkipBlanks(p)) {
        p = NextArgument(p, &argument);
        arguments.push_back(argument);
    }
    return arguments;
}

std::vector<std::string> MsiexecPackages(const char* lpszArguments)
{
    std::vector<std::string> packages;
    bool bPackageNext = false;
    for (const std::string& argument : SplitArguments(lpszArguments)) {
        if (bPackageNext && !argument.empty() && argument[0] != '{') {
            packages.push_back(argument);
        }
        bPackageNext = NamesPackage(argument);
    }
    return packages;
}
