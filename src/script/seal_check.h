// A sealed launcher's checks: its script before anything is shown, and the files that
// the chosen [Run] line names before it is started. An unsealed launcher passes both
// without looking at a file.
#pragma once

#include <string>

#include "afx/held_files.h"
#include "afx/types.h"

// The box's text for a file, named as the script writes it, that is not as sealed.
std::string SealChangedText(const std::string& name);

// TRUE when the launcher carries no seal, or when setup.ini in the current folder is
// the one sealed, which then stays held in *pHeld. FALSE, after the box, when it
// differs in any byte or is missing.
BOOL CheckSealedScript(CHeldFiles* pHeld);

// Empty when the launcher carries no seal, or when every file of the folder that the
// command line (text of that encoding) names is as sealed; each is then held in *pHeld. Otherwise the name, as
// the line writes it, of the first that is not: a sealed file that differs or is
// missing, or a program in the folder that the seal does not know. A program found
// outside the folder, and an argument that named no file when the medium was
// sealed, are not the seal's.
std::string FirstChangedRunFile(const char* lpszCmdLine, AfxTextEncoding encoding, CHeldFiles* pHeld);
