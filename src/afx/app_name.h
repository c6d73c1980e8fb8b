// The application name derived from the executable's path.
#pragma once

#include <string>

#include "afx/text.h"

// Cuts the path at its last full stop and keeps what follows the last backslash,
// slash or colon: "D:\SETUP.EXE" gives "SETUP". Both searches go by characters of the
// path's encoding, so the second byte of a double-byte character is never one of them.
std::string AppNameFromModulePath(const std::string& path, AfxTextEncoding encoding);
