// The console backend, for the console tools (setupcheck): files through the C
// library, the lead bytes of the code page the tool was told, no windows (a message
// box becomes a line on stderr), a script's folder, and files found there without
// regard to letter case (natively by comparing case-folded names).
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "afx/os.h"
#include "afx/unicode_text.h"
#include "backend/console/console_system.h"

namespace {

namespace fs = std::filesystem;

std::FILE* AsFile(FileHandle hFile) { return reinterpret_cast<std::FILE*>(hFile); }

#ifndef _WIN32
// The entry of the folder whose name equals name but for letter case; empty if none.
fs::path FindNoCase(const fs::path& folder, const std::string& name)
{
    const std::string wanted = FoldCaseUtf8(name);
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        if (FoldCaseUtf8(entry.path().filename().string()) == wanted) {
            return entry.path();
        }
    }
    return {};
}
#endif

}  // namespace

FileHandle os::OpenFileForReading(const char* lpszFileName, AfxTextEncoding /*encoding*/)
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
bool os::IsLeadByte(unsigned char c) { return ConsoleIsLeadByte(c); }

// A checker reads the untagged sections unless it is told a language.
std::vector<std::string> os::GetUserLanguages() { return {}; }

int os::MessageBox(WindowHandle /*hOwner*/, const char* lpszText, const char* /*lpszCaption*/, UINT /*nType*/,
                   AfxTextEncoding /*encoding*/)
{
    ConsoleWrite(stderr, std::string(lpszText) + "\n");
    return IDOK;
}

// A box on the terminal has no caption to name the tool in.
const char* os::GetModuleFileName(AfxTextEncoding /*encoding*/) { return ""; }

std::string ConsoleScriptFolder(const std::string& path)
{
    std::error_code error;
    if (!fs::is_regular_file(fs::u8path(path), error)) {
        return {};
    }
#ifdef _WIN32
    const std::size_t nSeparator = path.find_last_of("\\/:");
#else
    // A device's name for an open file (/dev/stdin redirected from one, /dev/fd/N,
    // /proc/self/fd/N) says nothing of the script's folder either.
    const std::string absolute = fs::absolute(fs::u8path(path), error).string();
    if (absolute.rfind("/dev/", 0) == 0 || absolute.rfind("/proc/", 0) == 0) {
        return {};
    }
    const std::size_t nSeparator = path.find_last_of('/');
#endif
    return nSeparator == std::string::npos ? "" : path.substr(0, nSeparator + 1);
}

std::string os::FindFileNoCase(const char* lpszFolder, const char* lpszRelativePath)
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
