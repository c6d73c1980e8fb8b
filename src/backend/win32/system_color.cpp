// The one backend file that sees user32's GetSysColor: it includes <windows.h>
// without the framework's headers, whose ::GetSysColor has the same signature.
#include "backend/win32/system_color.h"

#define WIN32_LEAN_AND_MEAN
#define STRICT
#include <windows.h>

namespace win32 {

Color GetSystemColor(int nIndex) { return static_cast<Color>(::GetSysColor(nIndex)); }

}  // namespace win32
