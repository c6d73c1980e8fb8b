// The platform of the console tools (setupcheck): files through the C library, one
// byte one character, and no windows: a message box becomes a line on stderr.
#include <cstdio>

#include "platform/afx_app.h"
#include "platform/afx_text.h"
#include "platform/os.h"

namespace {

std::FILE* AsFile(FileHandle hFile) { return reinterpret_cast<std::FILE*>(hFile); }

}  // namespace

FileHandle os::OpenFileForReading(const char* lpszFileName)
{
    return reinterpret_cast<FileHandle>(std::fopen(lpszFileName, "rb"));
}

bool os::ReadFile(FileHandle hFile, void* pBuffer, std::size_t nCount, std::size_t* pnRead)
{
    *pnRead = std::fread(pBuffer, 1, nCount, AsFile(hFile));
    return !std::ferror(AsFile(hFile));
}

bool os::SeekFile(FileHandle hFile, long long nOffset)
{
    // Offsets stay far below 2 GiB: the tools refuse larger files before reading.
    return std::fseek(AsFile(hFile), static_cast<long>(nOffset), SEEK_SET) == 0;
}

void os::CloseFile(FileHandle hFile) { std::fclose(AsFile(hFile)); }

// Scripts are read as in a single-byte code page such as Windows-1252.
bool AfxIsLeadByte(unsigned char) { return false; }

int AfxMessageBox(const char* lpszText, UINT)
{
    std::fprintf(stderr, "%s\n", lpszText);
    return IDOK;
}
