// The [Run] program of a script, looked for as the launcher started from the
// script's folder finds it: by the launcher's own splitting of the command line,
// relative to that folder, without regard to letter case.
#pragma once

#include <string>

#include "afx/text.h"

// Empty when the program of the command line is a file relative to the script's
// folder, pszFolder (UTF-8, ending in a separator; "" for the current one), or one of
// Windows' own (system_programs.h), and, for msiexec, every package it names is such a
// file too; otherwise a sentence that names the program or package and says why it is
// not found. The command line is the script's text, in the script's encoding: UTF-8 in
// a Unicode script, else ANSI in the code page the checker was told.
std::string MissingRunProgram(const char* pszFolder, const char* pszCommandLine, AfxTextEncoding encoding);
