// A command line split into its program and its arguments, as the plain start of a
// command line (a process started with no separate program name) takes them.
#pragma once

#include <functional>
#include <string>

struct CommandLineParts {
    std::string program;
    std::string arguments;
};

// Whether a program file of that name exists where a started program is looked for;
// a search that needs a place (a script's folder) carries it.
using ProgramExistsFunction = std::function<bool(const char* lpszPath)>;

// The program file that the text from pStart to pEnd names for the plain start:
// ".exe" added when the file name, after the last path separator, has no full stop.
std::string ProgramFile(const char* pStart, const char* pEnd);

// The program is the first token: the text between a leading pair of double quotes
// (a missing closing quote makes the rest of the line the program), or else, unquoted,
// the shortest run of text up to a blank (a space or a tab) or to the end that names
// an existing program, each blank tried in turn from the left, with ".exe" added when
// its file name has no extension, as the plain start does. An unquoted line in which
// no prefix names a program gives what comes before the first blank, as written. The
// arguments are what follows the program, without the blanks that separate them from
// it. Blanks before the program are skipped. Double-byte trail bytes are never a
// blank, a quote or a path separator.
CommandLineParts SplitCommandLine(const char* lpszCmdLine, const ProgramExistsFunction& pfnProgramExists);
