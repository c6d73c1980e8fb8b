// The launcher's system services, from the backend: version resources, the start of
// a command line and the display scale.
#include "afx/system.h"
#include "afx/os.h"

std::uint32_t AfxGetFileVersionInfoSize(const char* lpszFileName, AfxTextEncoding encoding)
{
    return os::GetFileVersionInfoSize(lpszFileName, encoding);
}

BOOL AfxGetFileVersionInfo(const char* lpszFileName, AfxTextEncoding encoding, std::uint32_t nSize, void* pBlock)
{
    return os::GetFileVersionInfo(lpszFileName, encoding, nSize, pBlock);
}

BOOL AfxVerQueryValue(const void* pBlock, const char* lpszSubBlock, AfxTextEncoding encoding, const void** ppBuffer,
                      UINT* pnLength)
{
    return os::VerQueryValue(pBlock, lpszSubBlock, encoding, ppBuffer, pnLength);
}

UINT AfxWinExec(const char* lpszCmdLine, AfxTextEncoding encoding, int nCmdShow)
{
    return os::WinExec(lpszCmdLine, encoding, nCmdShow);
}

int AfxGetDisplayDpi() { return os::GetDisplayDpi(); }
