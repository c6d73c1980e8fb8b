// Loaded into the launcher before it runs (LauncherProcess::StartWithLibrary): the
// user's preferred user-interface languages become French (France), then German
// (Germany), as for a user with two; Wine itself always answers with one. The
// system's function is made to jump here, so that the launcher, however it finds it,
// gets this list.
#include <windows.h>

#include <cstring>
#include <initializer_list>

namespace {

// NUL-ended names, an empty one last.
const wchar_t kLanguages[] = L"fr-FR\0de-DE\0";

BOOL WINAPI TwoPreferredLanguages(DWORD, PULONG pnLanguages, PZZWSTR pBuffer, PULONG pnUnits)
{
    constexpr ULONG nUnits = sizeof kLanguages / sizeof kLanguages[0];
    if (pBuffer != nullptr && *pnUnits < nUnits) {
        *pnUnits = nUnits;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    if (pBuffer != nullptr) {
        std::memcpy(pBuffer, kLanguages, sizeof kLanguages);
    }
    *pnUnits = nUnits;
    *pnLanguages = 2;
    return TRUE;
}

// Overwrites the first instructions at pCode with a jump to TwoPreferredLanguages.
void JumpToTwoLanguages(void* pCode)
{
    void* pTarget = reinterpret_cast<void*>(&TwoPreferredLanguages);
#ifdef _WIN64
    unsigned char jump[12] = {0x48, 0xB8, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xE0};  // mov rax, target; jmp rax
    std::memcpy(jump + 2, &pTarget, 8);
#else
    unsigned char jump[7] = {0xB8, 0, 0, 0, 0, 0xFF, 0xE0};  // mov eax, target; jmp eax
    std::memcpy(jump + 1, &pTarget, 4);
#endif
    DWORD dwProtection = 0;
    if (VirtualProtect(pCode, sizeof jump, PAGE_EXECUTE_READWRITE, &dwProtection)) {
        std::memcpy(pCode, jump, sizeof jump);
        VirtualProtect(pCode, sizeof jump, dwProtection, &dwProtection);
        FlushInstructionCache(GetCurrentProcess(), pCode, sizeof jump);
    }
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH) {
        // kernel32 may export its own copy or kernelbase's; both answer the list.
        for (const char* pszModule : {"kernelbase.dll", "kernel32.dll"}) {
            const HMODULE hModule = GetModuleHandleA(pszModule);
            const FARPROC pfn = hModule != nullptr ? GetProcAddress(hModule, "GetUserPreferredUILanguages") : nullptr;
            if (pfn != nullptr) {
                JumpToTwoLanguages(reinterpret_cast<void*>(pfn));
            }
        }
    }
    return TRUE;
}
