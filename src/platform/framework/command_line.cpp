// Splitting a command line into its program and its arguments.
#include "platform/framework/command_line.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

const char* SkipBlanks(const char* p)
{
    while (IsBlank(*p)) {
        ++p;
    }
    return p;
}

}  // namespace

CommandLineParts SplitCommandLine(const char* lpszCmdLine)
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
        const char* pStart = p;
        while (*p != '\0' && !IsBlank(*p)) {
            ++p;
        }
        parts.program.assign(pStart, p);
    }
    parts.arguments = SkipBlanks(p);
    return parts;
}
