// Loading Uniscribe once, from the system directory.
#include "backend/win32/uniscribe.h"

#include "backend/win32/system_library.h"

const Uniscribe& GetUniscribe()
{
    static bool bLoadTried = false;
    static Uniscribe uniscribe;
    if (!bLoadTried) {
        bLoadTried = true;
        if (HMODULE hModule = LoadSystemLibrary("usp10.dll")) {
            uniscribe.pfnItemize = GetProc<Uniscribe::ItemizeProc>(hModule, "ScriptItemize");
            uniscribe.pfnBreak = GetProc<Uniscribe::BreakProc>(hModule, "ScriptBreak");
            uniscribe.pfnIsComplex = GetProc<Uniscribe::IsComplexProc>(hModule, "ScriptIsComplex");
        }
    }
    return uniscribe;
}
