// System DLLs that setup.exe does not import, loaded on first use from the system
// directory only: an import is resolved before the program can restrict the
// search, and a copy of the DLL lying beside setup.exe on the medium would win.
#pragma once

#include "backend/win32/windows_include.h"

// The DLL of this name in the system directory; null if it cannot be loaded.
HMODULE LoadSystemLibrary(const char* lpszName);

template <class Proc>
Proc GetProc(HMODULE hModule, const char* lpszName)
{
    // Through void (*)(), the one function type that converts to any other without a warning.
    return reinterpret_cast<Proc>(reinterpret_cast<void (*)()>(::GetProcAddress(hModule, lpszName)));
}
