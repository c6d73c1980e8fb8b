// setupcheck's seal commands: making a medium's seal for the build
// (--make-seal FOLDER OUT [DEPFILE]) and comparing a launcher's seal with a folder
// (--seal SETUP_EXE FOLDER).
#pragma once

#include <string>
#include <vector>

// Whether the first argument asks for a seal command.
bool IsSealCommand(const std::string& argument);
// Runs it: the exit status.
int RunSealCommand(const std::vector<std::string>& arguments);
