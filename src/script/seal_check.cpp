// The sealed launcher's checks against the digests in its own resources.
#include "script/seal_check.h"

#include <vector>

#include "afx/app.h"
#include "script/medium_seal.h"

namespace {

// False when the launcher carries no seal. A seal that cannot be read holds no
// entry, so that nothing passes it.
bool LoadSeal(std::vector<SealEntry>* pEntries)
{
    std::size_t nSize = 0;
    const char* pData = AfxGetSeal(&nSize);
    if (pData == nullptr) {
        return false;
    }
    if (!ParseSeal(pData, nSize, pEntries)) {
        pEntries->clear();
    }
    return true;
}

}  // namespace

std::string SealChangedText(const std::string& name) { return name + " has been changed since this medium was made."; }

BOOL CheckSealedScript(CHeldFiles* pHeld)
{
    std::vector<SealEntry> seal;
    if (!LoadSeal(&seal)) {
        return TRUE;
    }
    const SealEntry* pEntry = FindSealEntry(seal, SEAL_SCRIPT_NAME);
    std::string digest;
    if (pEntry != nullptr && pHeld->OpenAndHash(SEAL_SCRIPT_NAME, AfxTextEncoding::Ansi, &digest) && digest == pEntry->digest) {
        return TRUE;
    }
    AfxMessageBox(SealChangedText(SEAL_SCRIPT_NAME).c_str(), AfxTextEncoding::Ansi);
    return FALSE;
}

std::string FirstChangedRunFile(const char* lpszCmdLine, AfxTextEncoding encoding, CHeldFiles* pHeld)
{
    std::vector<SealEntry> seal;
    if (!LoadSeal(&seal)) {
        return {};
    }
    const auto programExists = [encoding](const char* lpszPath) { return AfxProgramExists(lpszPath, encoding); };
    for (const CommandLineName& each : CommandLineFolderNames(lpszCmdLine, encoding, programExists)) {
        const SealEntry* pEntry = FindSealEntry(seal, each.name);
        if (pEntry == nullptr && !each.bProgram) {
            continue;
        }
        std::string digest;
        const bool bRead = pHeld->OpenAndHash(each.name.c_str(), encoding, &digest);
        if (pEntry == nullptr ? bRead : !bRead || digest != pEntry->digest) {
            return each.name;
        }
    }
    return {};
}
