// The platform of the console tools (setupcheck): files through the C library, the
// lead bytes of the code page the tool was told, and no windows: a message box
// becomes a line on stderr.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/afx_app.h"
#include "platform/afx_system.h"
#include "platform/afx_text.h"
#include "platform/console/console_system.h"
#include "platform/framework/unicode_text.h"
#include "platform/os.h"

namespace {

namespace fs = std::filesystem;

std::FILE* AsFile(FileHandle hFile) { return reinterpret_cast<std::FILE*>(hFile); }

#ifndef _WIN32
// The capital of a letter, as Windows compares file names, for the scripts' usual
// alphabets: ASCII, Latin-1, basic Greek and Cyrillic.
std::uint32_t Capital(std::uint32_t c)
{
    const bool bLower = (c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7) ||
                        (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) || (c >= 0x430 && c <= 0x44F);
    if (bLower) {
        return c - 0x20;
    }
    return c >= 0x450 && c <= 0x45F ? c - 0x50 : c;
}

// A UTF-8 name as capitals, for comparing names without regard to case.
std::u32string Capitals(const std::string& name)
{
    std::u32string result;
    const auto* p = reinterpret_cast<const unsigned char*>(name.c_str());
    while (*p != 0) {
        const int nLength = Utf8SequenceLength(p);
        // A broken byte stands for itself.
        std::uint32_t c = nLength == 1 ? *p : *p & (0x7F >> nLength);
        for (int i = 1; i < nLength; ++i) {
            c = (c << 6) | (p[i] & 0x3F);
        }
        result += Capital(c);
        p += nLength;
    }
    return result;
}

// The entry of the folder whose name equals name but for letter case; empty if none.
fs::path FindNoCase(const fs::path& folder, const std::string& name)
{
    const std::u32string wanted = Capitals(name);
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        if (Capitals(entry.path().filename().string()) == wanted) {
            return entry.path();
        }
    }
    return {};
}
#endif

}  // namespace

FileHandle os::OpenFileForReading(const char* lpszFileName)
{
    return reinterpret_cast<FileHandle>(ConsoleOpenFile(lpszFileName));
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

// Scripts are read in the code page the tool was told, Windows-1252 by default.
bool AfxIsLeadByte(unsigned char c) { return ConsoleIsLeadByte(c); }

// A checker reads the untagged sections unless it is told a language.
std::vector<std::string> AfxGetUserLanguages() { return {}; }

int AfxMessageBox(const char* lpszText, UINT)
{
    ConsoleWrite(stderr, std::string(lpszText) + "\n");
    return IDOK;
}

bool AfxFileExistsNoCase(const char* lpszFolder, const char* lpszRelativePath)
{
    return !AfxFindFileNoCase(lpszFolder, lpszRelativePath).empty();
}

std::string AfxFindFileNoCase(const char* lpszFolder, const char* lpszRelativePath)
{
    fs::path path = *lpszFolder != '\0' ? fs::u8path(lpszFolder) : fs::path(".");
    std::error_code error;
#ifdef _WIN32
    // The file system itself compares names without regard to case.
    path /= fs::u8path(lpszRelativePath);
#else
    const std::string relative = lpszRelativePath;
    for (std::size_t nStart = 0; nStart <= relative.size() && !path.empty();) {
        const std::size_t nEnd = std::min(relative.find('\\', nStart), relative.size());
        path = FindNoCase(path, relative.substr(nStart, nEnd - nStart));
        nStart = nEnd + 1;
    }
#endif
    return !path.empty() && fs::is_regular_file(path, error) ? path.u8string() : std::string();
}
