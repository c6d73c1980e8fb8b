// A command line split into its program and its arguments, as the shell takes them.
#pragma once

#include <string>

struct CommandLineParts {
    std::string program;
    std::string arguments;
};

// The program is the first token: the text between a leading pair of double quotes,
// or else everything up to the first blank (a space or a tab). A missing closing
// quote makes the rest of the line the program. The arguments are what follows the
// program, without the blanks that separate them from it. Blanks before the program
// are skipped. A byte search is safe in double-byte code pages, whose trail bytes are
// never a blank or a double quote.
CommandLineParts SplitCommandLine(const char* lpszCmdLine);
