// The program's entry point.
#include "afx/app.h"
#include "backend/win32/windows_include.h"

namespace {

using SetDefaultDllDirectoriesProc = BOOL(WINAPI*)(DWORD);

// Keeps every later library load to the system directory, so that no DLL on the
// medium beside setup.exe is loaded in place of a system one. Systems without the
// call keep their default search.
void RestrictDllSearch()
{
    HMODULE hKernel = ::GetModuleHandleA("kernel32.dll");
    FARPROC pfn = hKernel != nullptr ? ::GetProcAddress(hKernel, "SetDefaultDllDirectories") : nullptr;
    if (pfn != nullptr) {
        reinterpret_cast<SetDefaultDllDirectoriesProc>(reinterpret_cast<void (*)()>(pfn))(
            LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE /*hInstance*/, HINSTANCE /*hPrevInstance*/, LPSTR /*lpCmdLine*/, int /*nCmdShow*/)
{
    RestrictDllSearch();
    return AfxWinMain();
}
