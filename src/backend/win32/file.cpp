// Binary file reading over kernel32, under the framework's text-mode file.
#include "afx/os.h"
#include "backend/win32/handles.h"
#include "backend/win32/wide_text.h"

namespace os {

FileHandle OpenFileForReading(const char* lpszFileName, AfxTextEncoding encoding)
{
    const WideText fileName(lpszFileName, -1, encoding);
    HANDLE hFile = ::CreateFileW(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    return hFile != INVALID_HANDLE_VALUE ? FromHandle(hFile) : nullptr;
}

bool ReadFile(FileHandle hFile, void* pBuffer, std::size_t nCount, std::size_t* pnRead)
{
    // One call reads at most what a DWORD counts; the caller reads on for the rest.
    const DWORD nToRead = nCount > MAXDWORD ? MAXDWORD : static_cast<DWORD>(nCount);
    DWORD nRead = 0;
    const BOOL bOk = ::ReadFile(ToHandle(hFile), pBuffer, nToRead, &nRead, nullptr);
    *pnRead = bOk ? nRead : 0;
    return bOk != FALSE;
}

bool SeekFile(FileHandle hFile, long long nOffset)
{
    LARGE_INTEGER distance;
    distance.QuadPart = nOffset;
    return ::SetFilePointerEx(ToHandle(hFile), distance, nullptr, FILE_BEGIN) != FALSE;
}

void CloseFile(FileHandle hFile) { ::CloseHandle(ToHandle(hFile)); }

}  // namespace os
