// Services outside the user interface: registry, version resources, process start,
// the display scale, the user's languages and the sizes of window frames.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "afx/text.h"
#include "afx/types.h"

// Predefined registry keys, by their Win32 values.
enum class AfxRootKey : std::uint32_t {
    ClassesRoot = 0x80000000u,
    CurrentUser = 0x80000001u,
    LocalMachine = 0x80000002u,
    Users = 0x80000003u,
};

// The most bytes of the script's text that one UTF-16 unit of the system's text
// converts to.
constexpr std::uint32_t AFX_MAX_BYTES_PER_UNIT = 3;

// An open registry key, read only.
class CRegKey {
public:
    CRegKey() = default;
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;
    ~CRegKey() { Close(); }

    // RegOpenKeyEx with KEY_READ; nonzero on success. The key's name, the value names
    // asked for and the text data given back are of that encoding, the script's.
    BOOL Open(AfxRootKey root, const char* lpszKeyName, AfxTextEncoding encoding);
    // RegQueryValueEx: 0 on success with the data in pData and its size in bytes in
    // *pnBytes; nonzero when the value is missing or longer than nLimit characters.
    // Text data (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) arrives in the key's encoding,
    // its characters counted as the system counts them: bytes of the ANSI text in an
    // ANSI script, UTF-16 units in a Unicode one, whose UTF-8 takes up to
    // AFX_MAX_BYTES_PER_UNIT bytes for each. Other data is raw, nLimit bytes at most.
    // pData has room for nLimit * AFX_MAX_BYTES_PER_UNIT bytes. An empty name reads
    // the key's unnamed default value.
    long QueryValue(const char* lpszValueName, void* pData, std::uint32_t nLimit, std::uint32_t* pnBytes);
    void Close();

private:
    void* m_hKey = nullptr;
    AfxTextEncoding m_encoding = AfxTextEncoding::Ansi;
};

// Version resources (version.dll), loaded only from the system directory. File
// names, queries and a text value (under "\StringFileInfo") are of the encoding
// given, the script's; a value comes in storage of the platform's that lasts until
// the next query, its length counting the NUL.
std::uint32_t AfxGetFileVersionInfoSize(const char* lpszFileName, AfxTextEncoding encoding);
BOOL AfxGetFileVersionInfo(const char* lpszFileName, AfxTextEncoding encoding, std::uint32_t nSize, void* pBlock);
BOOL AfxVerQueryValue(const void* pBlock, const char* lpszSubBlock, AfxTextEncoding encoding, const void** ppBuffer,
                      UINT* pnLength);

// Starts a command line, text of that encoding, with the given show command,
// searching for the program as WinExec does; a result below 32 means failure.
UINT AfxWinExec(const char* lpszCmdLine, AfxTextEncoding encoding, int nCmdShow);

// Pixels per logical inch of the display the program started on (96 at 100 %).
int AfxGetDisplayDpi();
// The languages the user reads the system's user interface in, most wanted first,
// as language tags ("de-DE"); empty when the system names none.
std::vector<std::string> AfxGetUserLanguages();

// What the system takes, at the display's scale, of a top-level window of that
// style and extended style for its borders and caption (across and down), and the
// width of a vertical scroll bar.
CSize AfxGetWindowFrameSize(UINT dwStyle, UINT dwExStyle);
int AfxGetVerticalScrollBarWidth();
