// The application name derived from the executable's path.
#pragma once

#include <string>

// Cuts the path at its last full stop and keeps what follows the last backslash,
// slash or colon: "D:\SETUP.EXE" gives "SETUP".
std::string AppNameFromModulePath(const std::string& path);
