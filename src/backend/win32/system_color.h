// The user32 system colours, reachable from files that see the framework's GetSysColor.
#pragma once

#include "afx/types.h"

namespace win32 {

Color GetSystemColor(int nIndex);

}  // namespace win32
