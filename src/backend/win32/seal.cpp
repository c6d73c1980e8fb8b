// The seal in the launcher's own resources, and SHA-256 by the system's cryptography
// (CNG), whose bcrypt.dll is loaded from the system directory only when a sealed
// launcher first hashes.
#include "afx/held_files.h"
#include "afx/os.h"
#include "backend/win32/system_library.h"
#include "backend/win32/windows_include.h"

#include <bcrypt.h>

namespace {

using OpenAlgorithmProc = NTSTATUS(WINAPI*)(BCRYPT_ALG_HANDLE*, LPCWSTR, LPCWSTR, ULONG);
using CloseAlgorithmProc = NTSTATUS(WINAPI*)(BCRYPT_ALG_HANDLE, ULONG);
using CreateHashProc = NTSTATUS(WINAPI*)(BCRYPT_ALG_HANDLE, BCRYPT_HASH_HANDLE*, PUCHAR, ULONG, PUCHAR, ULONG, ULONG);
using HashDataProc = NTSTATUS(WINAPI*)(BCRYPT_HASH_HANDLE, PUCHAR, ULONG, ULONG);
using FinishHashProc = NTSTATUS(WINAPI*)(BCRYPT_HASH_HANDLE, PUCHAR, ULONG, ULONG);
using DestroyHashProc = NTSTATUS(WINAPI*)(BCRYPT_HASH_HANDLE);

bool Succeeded(NTSTATUS status) { return status >= 0; }

// Feeds the rest of the file to a hash object.
bool HashRest(FileHandle hFile, BCRYPT_HASH_HANDLE hHash, HashDataProc pfnHashData)
{
    unsigned char buffer[16384];
    std::size_t nRead = 0;
    do {
        if (!os::ReadFile(hFile, buffer, sizeof buffer, &nRead) ||
            !Succeeded(pfnHashData(hHash, buffer, static_cast<ULONG>(nRead), 0))) {
            return false;
        }
    } while (nRead > 0);
    return true;
}

}  // namespace

const char* os::GetSeal(std::size_t* pnSize)
{
    *pnSize = 0;
    HRSRC hInfo = ::FindResourceA(nullptr, "SEAL", MAKEINTRESOURCEA(10));  // RT_RCDATA
    HGLOBAL hData = hInfo != nullptr ? ::LoadResource(nullptr, hInfo) : nullptr;
    const char* pData = hData != nullptr ? static_cast<const char*>(::LockResource(hData)) : nullptr;
    if (pData != nullptr) {
        *pnSize = ::SizeofResource(nullptr, hInfo);
    }
    return pData;
}

namespace os {

bool HashFileSha256(FileHandle hFile, unsigned char digest[32])
{
    static HMODULE hBcrypt = LoadSystemLibrary("bcrypt.dll");
    if (hBcrypt == nullptr) {
        return false;
    }
    const auto pfnOpen = GetProc<OpenAlgorithmProc>(hBcrypt, "BCryptOpenAlgorithmProvider");
    const auto pfnClose = GetProc<CloseAlgorithmProc>(hBcrypt, "BCryptCloseAlgorithmProvider");
    const auto pfnCreate = GetProc<CreateHashProc>(hBcrypt, "BCryptCreateHash");
    const auto pfnHashData = GetProc<HashDataProc>(hBcrypt, "BCryptHashData");
    const auto pfnFinish = GetProc<FinishHashProc>(hBcrypt, "BCryptFinishHash");
    const auto pfnDestroy = GetProc<DestroyHashProc>(hBcrypt, "BCryptDestroyHash");
    if (pfnOpen == nullptr || pfnClose == nullptr || pfnCreate == nullptr || pfnHashData == nullptr ||
        pfnFinish == nullptr || pfnDestroy == nullptr) {
        return false;
    }
    BCRYPT_ALG_HANDLE hAlgorithm = nullptr;
    if (!Succeeded(pfnOpen(&hAlgorithm, L"SHA256", nullptr, 0))) {
        return false;
    }
    bool bOk = false;
    BCRYPT_HASH_HANDLE hHash = nullptr;
    // No object buffer: the system keeps the hash's state itself.
    if (Succeeded(pfnCreate(hAlgorithm, &hHash, nullptr, 0, nullptr, 0, 0))) {
        bOk = HashRest(hFile, hHash, pfnHashData) && Succeeded(pfnFinish(hHash, digest, 32, 0));
        pfnDestroy(hHash);
    }
    pfnClose(hAlgorithm, 0);
    return bOk;
}

}  // namespace os
