// CStdioFile: a file opened for reading in text mode.
//
// Text mode is provided here over binary reads, the same on every platform:
// CR followed by LF reads as one newline, a CR not followed by LF stays in the
// text, and a Ctrl-Z byte ends the file. Positions are raw byte offsets.
//
// A file that starts with a byte-order mark (UTF-8, UTF-16 little- or big-endian)
// is read as UTF-8 text, its mark left out: UTF-16 is turned into UTF-8 character by
// character, and what is broken reads as U+FFFD. The rules above then apply to the
// decoded characters (U+001A is the Ctrl-Z), and positions stay raw offsets, those
// of the characters' first bytes. A file without a mark is read byte for byte.
#pragma once

#include <cstddef>
#include <string>

#include "afx/text.h"
#include "afx/types.h"

// How a file's bytes are turned into text: as they are, or decoded from Unicode.
enum class AfxFileTextForm : unsigned char { Ansi, Utf8, Utf16Le, Utf16Be };

struct FileTag;
using FileHandle = FileTag*;

class CStdioFile {
public:
    enum SeekPosition { begin = 0, current = 1 };

    CStdioFile() = default;
    CStdioFile(const CStdioFile&) = delete;
    CStdioFile& operator=(const CStdioFile&) = delete;
    // Closes the file if it is still open.
    virtual ~CStdioFile();

    virtual BOOL Open(const char* lpszFileName);
    // Reads nBytes bytes in memory, which outlive the reading, as the file's contents:
    // the same text, positions and seeks as a file of those bytes.
    BOOL OpenBytes(const char* pBytes, std::size_t nBytes);
    // Reads characters up to and including the first newline, at most nMax - 1 of
    // them, and stores them followed by a NUL. Returns null, leaving the buffer
    // untouched, when the end of the file comes before any character; returns null
    // too on a read error before the line was complete, whatever it had read
    // (HasReadError() tells the two apart).
    virtual char* ReadString(char* lpsz, UINT nMax);
    // Moves the position by lOff raw bytes from the start or from the current position.
    virtual long long Seek(long long lOff, SeekPosition nFrom);
    // The raw byte offset of the next character ReadString would return.
    virtual long long GetPosition() const;
    virtual void Close();

    bool IsOpen() const { return m_hFile != nullptr || m_pBytes != nullptr; }
    // The encoding of the text read: UTF-8 when the file began with a byte-order
    // mark, else ANSI.
    AfxTextEncoding TextEncoding() const
    {
        return m_form != AfxFileTextForm::Ansi ? AfxTextEncoding::Utf8 : AfxTextEncoding::Ansi;
    }
    bool HasReadError() const { return m_bReadError; }

private:
    // Next byte of text without consuming it; -1 at the end of the data or on an error.
    int PeekTextByte();
    void SkipTextByte();
    UINT CopyPlainAnsiBytes(char* pOut, UINT nRoom);
    bool DecodeNextCharacter();
    // Raw bytes ready at m_nBufferPos, reading more until there are nWanted of them
    // or the data has ended.
    std::size_t RawBytesAvailable(std::size_t nWanted);
    // Keeps the unread bytes, moved to the front, and reads more after them.
    bool FillBuffer();
    // Starts reading at the beginning of what was opened, past its byte-order mark.
    BOOL StartReading();

    static constexpr std::size_t kBufferSize = 4096;

    FileHandle m_hFile = nullptr;
    // Bytes in memory read instead of a file, and the offset of the next one to read.
    const char* m_pBytes = nullptr;
    std::size_t m_nBytes = 0;
    std::size_t m_nBytesRead = 0;
    unsigned char m_buffer[kBufferSize] = {};
    std::size_t m_nBufferPos = 0;   // next unread byte in m_buffer
    std::size_t m_nBufferEnd = 0;   // bytes valid in m_buffer
    long long m_nBufferStart = 0;       // raw file offset of m_buffer[0]
    bool m_bEndOfData = false;      // the file had no more bytes, or a Ctrl-Z was met
    bool m_bReadError = false;

    AfxFileTextForm m_form = AfxFileTextForm::Ansi;
    long long m_nTextStart = 0;  // raw offset after the byte-order mark
    // The decoded character being read, in UTF-8, and where it began in the file.
    unsigned char m_char[4] = {};
    int m_nCharPos = 0;
    int m_nCharEnd = 0;
    long long m_nCharStart = 0;
};

// For the tools: whether a file (not a folder) is at lpszRelativePath under the
// folder lpszFolder ("" for the current one), each name compared without regard to
// letter case, as Windows finds files. Both are UTF-8; the relative path's names are
// separated by backslashes, with no "." or ".." among them.
bool AfxFileExistsNoCase(const char* lpszFolder, const char* lpszRelativePath);
// The same search, giving the file's path as the system names it (UTF-8); empty when
// there is no such file.
std::string AfxFindFileNoCase(const char* lpszFolder, const char* lpszRelativePath);
