// The [Run] program of a script, looked for as the launcher started from the
// script's folder finds it: by the launcher's own splitting of the command line,
// relative to that folder, without regard to letter case.
#pragma once

#include <string>

#include "platform/afx_text.h"

// Empty when the program of the command line is a file relative to the folder of the
// script at pszScriptPath; otherwise a sentence that names the program and says
// why it is not found. The command line is text in the given encoding (ANSI bytes
// are taken as Latin-1, as the console tools read them).
std::string MissingRunProgram(const char* pszScriptPath, const char* pszCommandLine, AfxTextEncoding encoding);
