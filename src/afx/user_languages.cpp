// The user's user-interface languages, from the backend.
#include "afx/system.h"
#include "afx/os.h"

std::vector<std::string> AfxGetUserLanguages() { return os::GetUserLanguages(); }
