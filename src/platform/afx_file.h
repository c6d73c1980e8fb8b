// CStdioFile: a file opened for reading in text mode.
//
// Text mode is provided here over binary reads, the same on every platform:
// CR followed by LF reads as one newline, a CR not followed by LF stays in the
// text, and a Ctrl-Z byte ends the file. Positions are raw byte offsets.
#pragma once

#include <cstddef>

#include "platform/afx_types.h"

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

    bool IsOpen() const { return m_hFile != nullptr; }
    bool HasReadError() const { return m_bReadError; }

private:
    // Next raw byte without consuming it; -1 at the end of the data or on an error.
    int PeekRawByte();
    bool FillBuffer();

    static constexpr std::size_t kBufferSize = 4096;

    FileHandle m_hFile = nullptr;
    unsigned char m_buffer[kBufferSize] = {};
    std::size_t m_nBufferPos = 0;   // next unread byte in m_buffer
    std::size_t m_nBufferEnd = 0;   // bytes valid in m_buffer
    long long m_nBufferStart = 0;       // raw file offset of m_buffer[0]
    bool m_bEndOfData = false;      // the file had no more bytes, or a Ctrl-Z was met
    bool m_bReadError = false;
};
