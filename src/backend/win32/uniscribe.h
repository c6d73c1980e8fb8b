// Uniscribe (usp10.dll), loaded from the system directory on first use and never
// imported: the functions the launcher asks of the system's text engine.
#pragma once

#include "backend/win32/windows_include.h"

#include <usp10.h>

struct Uniscribe {
    using ItemizeProc = HRESULT(WINAPI*)(const WCHAR*, int, int, const SCRIPT_CONTROL*, const SCRIPT_STATE*,
                                         SCRIPT_ITEM*, int*);
    using BreakProc = HRESULT(WINAPI*)(const WCHAR*, int, const SCRIPT_ANALYSIS*, SCRIPT_LOGATTR*);
    using IsComplexProc = HRESULT(WINAPI*)(const WCHAR*, int, DWORD);

    ItemizeProc pfnItemize = nullptr;
    BreakProc pfnBreak = nullptr;
    IsComplexProc pfnIsComplex = nullptr;
};

// The functions found; each is null when the DLL or the function is missing.
const Uniscribe& GetUniscribe();
