// Splitting a command line into its program and its arguments.
#include "platform/framework/command_line.h"

#include "platform/afx_text.h"

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
const char* UnquotedProgramEnd(const char* pStart, const ProgramExistsFunction& pfnProgramExists, std::string* pProgram)
{
    const char* pFirstBlank = nullptr;
    for (const char* p = pStart;; ++p) {
        if (*p != '\0' && !IsBlank(*p)) {
            continue;
        }
        pFirstBlank = pFirstBlank != nullptr ? pFirstBlank : p;
        *pProgram = ProgramFile(pStart, p);
        if (p != pStart && pfnProgramExists(pProgram->c_str())) {
            return p;
        }
        if (*p == '\0') {
            pProgram->assign(pStart, pFirstBlank);
            return pFirstBlank;
        }
    }
}

}  // namespace

std::string ProgramFile(const char* pStart, const char* pEnd)
{
    std::string program(pStart, pEnd);
    const char* pSeparator = AfxFindLastOf(program.c_str(), "\\/:", AfxGetTextEncoding());
    const char* pName = pSeparator != nullptr ? pSeparator + 1 : program.c_str();
    if (!program.empty() && AfxStrChr(pName, '.', AfxGetTextEncoding()) == nullptr) {
        program += ".exe";
    }
    return program;
}

CommandLineParts SplitCommandLine(const char* lpszCmdLine, const ProgramExistsFunction& pfnProgramExists)
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
        p = UnquotedProgramEnd(p, pfnProgramExists, &parts.program);
    }
    parts.arguments = SkipBlanks(p);
    return parts;
}
