// Programs that every Windows keeps in its own folders, where the launcher's start
// finds a bare name that is not on the medium.
#pragma once

#include <string>

// True when the program, as split from a [Run] line (".exe" added to a name without
// one), is the bare name of one of them, in any letter case.
bool IsSystemProgram(const std::string& program);

// True when the program is msiexec, whose package the checker looks for too.
bool IsMsiexec(const std::string& program);
