// A command line split into its program and its arguments, as the plain start of a
// command line (a process started with no separate program name) takes them.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "afx/text.h"

struct CommandLineParts {
    std::string program;
    std::string arguments;
};

// Whether a program file of that name exists where a started program is looked for;
// whatever the search needs to know (a folder, an encoding) travels with the function.
using ProgramExistsFunction = std::function<bool(const char* lpszPath)>;

// The program file that the text from pStart to pEnd, in that encoding, names for the
// plain start: ".exe" added when the file name, after the last path separator, has no
// full stop.
std::string ProgramFile(const char* pStart, const char* pEnd, AfxTextEncoding encoding);

// The program is the first token: the text between a leading pair of double quotes
// (a missing closing quote makes the rest of the line the program), or else, unquoted,
// the shortest run of text up to a blank (a space or a tab) or to the end that names
// an existing program, each blank tried in turn from the left, with ".exe" added when
// its file name has no extension, as the plain start does. An unquoted line in which
// no prefix names a program gives what comes before the first blank, as written. The
// arguments are what follows the program, without the blanks that separate them from
// it. Blanks before the program are skipped. The line is text of that encoding: in
// ANSI text, double-byte trail bytes are never a blank, a quote or a path separator.
CommandLineParts SplitCommandLine(const char* lpszCmdLine, AfxTextEncoding encoding,
                                  const ProgramExistsFunction& programExists);

// The arguments one by one, as a started program's runtime splits them: blanks
// outside double quotes separate them, and the quotes are removed ("" gives an empty
// argument).
std::vector<std::string> SplitArguments(const char* lpszArguments);

// The package and patch files that msiexec's arguments name: the argument after each
// /i, /package, /a, /p and /update (letter case aside, "-" for "/"), its double quotes
// removed; a product code ("{...}") is no file and is left out. Arguments are
// separated by blanks, and double quotes hold blanks, as msiexec reads them.
std::vector<std::string> MsiexecPackages(const char* lpszArguments);
