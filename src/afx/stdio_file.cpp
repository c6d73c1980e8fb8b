// Text-mode reading over binary reads, identical on every platform.
#include <cstring>

#include "afx/file.h"
#include "afx/unicode_text.h"
#include "afx/os.h"

namespace {

constexpr int kCtrlZ = 0x1A;

}  // namespace

CStdioFile::~CStdioFile() { Close(); }

BOOL CStdioFile::Open(const char* lpszFileName)
{
    Close();
    // The script is named before any text of it is known: its name is ANSI.
    m_hFile = os::OpenFileForReading(lpszFileName, AfxTextEncoding::Ansi);
    return StartReading();
}

BOOL CStdioFile::OpenBytes(const char* pBytes, std::size_t nBytes)
{
    Close();
    m_pBytes = pBytes;
    m_nBytes = nBytes;
    m_nBytesRead = 0;
    return StartReading();
}

BOOL CStdioFile::StartReading()
{
    m_nBufferPos = m_nBufferEnd = 0;
    m_nBufferStart = 0;
    m_bEndOfData = false;
    m_bReadError = false;
    m_nCharPos = m_nCharEnd = 0;
    m_form = AfxFileTextForm::Ansi;
    m_nTextStart = 0;
    if (!IsOpen()) {
        return FALSE;
    }
    // A read error here is told by the first read of a line, like any other.
    std::size_t nMarkBytes = 0;
    m_form = DetectByteOrderMark(m_buffer, RawBytesAvailable(3), &nMarkBytes);
    m_nBufferPos = nMarkBytes;
    m_nTextStart = static_cast<long long>(nMarkBytes);
    return TRUE;
}

void CStdioFile::Close()
{
    if (m_hFile != nullptr) {
        os::CloseFile(m_hFile);
        m_hFile = nullptr;
    }
    m_pBytes = nullptr;
}

bool CStdioFile::FillBuffer()
{
    if (!IsOpen() || m_bEndOfData || m_bReadError) {
        return false;
    }
    const std::size_t nKept = m_nBufferEnd - m_nBufferPos;
    std::memmove(m_buffer, m_buffer + m_nBufferPos, nKept);
    m_nBufferStart += static_cast<long long>(m_nBufferPos);
    m_nBufferPos = 0;
    m_nBufferEnd = nKept;
    std::size_t nRead = 0;
    if (m_pBytes != nullptr) {
        const std::size_t nLeft = m_nBytesRead < m_nBytes ? m_nBytes - m_nBytesRead : 0;
        nRead = nLeft < kBufferSize - nKept ? nLeft : kBufferSize - nKept;
        if (nRead != 0) {
            std::memcpy(m_buffer + nKept, m_pBytes + m_nBytesRead, nRead);
            m_nBytesRead += nRead;
        }
    } else if (!os::ReadFile(m_hFile, m_buffer + nKept, kBufferSize - nKept, &nRead)) {
        m_bReadError = true;
        return false;
    }
    if (nRead == 0) {
        m_bEndOfData = true;
        return false;
    }
    m_nBufferEnd += nRead;
    return true;
}

std::size_t CStdioFile::RawBytesAvailable(std::size_t nWanted)
{
    while (m_nBufferEnd - m_nBufferPos < nWanted && FillBuffer()) {
    }
    return m_nBufferEnd - m_nBufferPos;
}

bool CStdioFile::DecodeNextCharacter()
{
    const std::size_t nAvailable = RawBytesAvailable(kMaxRawCharacterBytes);
    if (nAvailable == 0) {
        return false;
    }
    m_nCharStart = m_nBufferStart + static_cast<long long>(m_nBufferPos);
    m_nBufferPos += DecodeCharacter(m_form, m_buffer + m_nBufferPos, nAvailable, m_char, &m_nCharEnd);
    m_nCharPos = 0;
    return true;
}

int CStdioFile::PeekTextByte()
{
    if (m_form == AfxFileTextForm::Ansi) {
        return RawBytesAvailable(1) != 0 ? m_buffer[m_nBufferPos] : -1;
    }
    if (m_nCharPos == m_nCharEnd && !DecodeNextCharacter()) {
        return -1;
    }
    return m_char[m_nCharPos];
}

void CStdioFile::SkipTextByte()
{
    if (m_form == AfxFileTextForm::Ansi) {
        ++m_nBufferPos;
    } else {
        ++m_nCharPos;
    }
}

// The bytes of ANSI text that need no translation, straight from the buffer: up to
// nRoom of them, stopping before a CR, a newline or a Ctrl-Z. Returns how many.
UINT CStdioFile::CopyPlainAnsiBytes(char* pOut, UINT nRoom)
{
    if (m_form != AfxFileTextForm::Ansi) {
        return 0;
    }
    // Locals: the output may alias any member, which would be read again each byte.
    const unsigned char* pFrom = m_buffer + m_nBufferPos;
    const std::size_t nAvailable = m_nBufferEnd - m_nBufferPos;
    const std::size_t nMost = nAvailable < nRoom ? nAvailable : nRoom;
    std::size_t nCopied = 0;
    for (; nCopied < nMost; ++nCopied) {
        const unsigned char c = pFrom[nCopied];
        if (c == '\r' || c == '\n' || c == kCtrlZ) {
            break;
        }
        pOut[nCopied] = static_cast<char>(c);
    }
    m_nBufferPos += nCopied;
    return static_cast<UINT>(nCopied);
}

char* CStdioFile::ReadString(char* lpsz, UINT nMax)
{
    if (nMax == 0) {
        return nullptr;
    }
    UINT nCount = 0;
    bool bEnded = false;  // end of the file or a read error before the line was complete
    while (nCount < nMax - 1) {
        nCount += CopyPlainAnsiBytes(lpsz + nCount, nMax - 1 - nCount);
        if (nCount == nMax - 1) {
            break;
        }
        int c = PeekTextByte();
        if (c < 0 || c == kCtrlZ) {
            bEnded = true;
            break;
        }
        SkipTextByte();
        if (c == '\r' && PeekTextByte() == '\n') {
            SkipTextByte();  // CR-LF reads as one newline
            c = '\n';
        }
        lpsz[nCount++] = static_cast<char>(c);
        if (c == '\n') {
            break;
        }
    }
    // A line cut short by a read error is no line: what came before the error is
    // dropped, and the caller learns of the error from HasReadError().
    if (bEnded && (m_bReadError || (nCount == 0 && nMax > 1))) {
        return nullptr;
    }
    lpsz[nCount] = '\0';
    return lpsz;
}

long long CStdioFile::GetPosition() const
{
    // Within a decoded character: where that character began.
    if (m_nCharPos < m_nCharEnd) {
        return m_nCharStart;
    }
    return m_nBufferStart + static_cast<long long>(m_nBufferPos);
}

long long CStdioFile::Seek(long long lOff, SeekPosition nFrom)
{
    const long long base = nFrom == begin ? 0 : GetPosition();
    // The byte-order mark is no text to go back to.
    if (!IsOpen() || base + lOff < m_nTextStart) {
        return -1;
    }
    const long long target = base + lOff;
    m_nCharPos = m_nCharEnd = 0;
    const long long bufferEnd = m_nBufferStart + static_cast<long long>(m_nBufferEnd);
    if (target >= m_nBufferStart && target <= bufferEnd) {
        m_nBufferPos = static_cast<std::size_t>(target - m_nBufferStart);
        return target;
    }
    if (m_pBytes != nullptr) {
        m_nBytesRead = static_cast<std::size_t>(target);
    } else if (!os::SeekFile(m_hFile, target)) {
        return -1;
    }
    m_nBufferStart = target;
    m_nBufferPos = m_nBufferEnd = 0;
    m_bEndOfData = false;
    m_bReadError = false;
    return target;
}
