// Text-mode reading over binary reads, identical on every platform.
#include "platform/afx_file.h"
#include "platform/os.h"

namespace {

constexpr int kCtrlZ = 0x1A;

}  // namespace

CStdioFile::~CStdioFile() { Close(); }

BOOL CStdioFile::Open(const char* lpszFileName)
{
    Close();
    m_hFile = os::OpenFileForReading(lpszFileName);
    m_nBufferPos = m_nBufferEnd = 0;
    m_nBufferStart = 0;
    m_bEndOfData = false;
    m_bReadError = false;
    return m_hFile != nullptr ? TRUE : FALSE;
}

void CStdioFile::Close()
{
    if (m_hFile != nullptr) {
        os::CloseFile(m_hFile);
        m_hFile = nullptr;
    }
}

bool CStdioFile::FillBuffer()
{
    if (m_hFile == nullptr || m_bEndOfData || m_bReadError) {
        return false;
    }
    m_nBufferStart += static_cast<long long>(m_nBufferEnd);
    m_nBufferPos = m_nBufferEnd = 0;
    std::size_t nRead = 0;
    if (!os::ReadFile(m_hFile, m_buffer, kBufferSize, &nRead)) {
        m_bReadError = true;
        return false;
    }
    if (nRead == 0) {
        m_bEndOfData = true;
        return false;
    }
    m_nBufferEnd = nRead;
    return true;
}

int CStdioFile::PeekRawByte()
{
    if (m_nBufferPos == m_nBufferEnd && !FillBuffer()) {
        return -1;
    }
    return m_buffer[m_nBufferPos];
}

char* CStdioFile::ReadString(char* lpsz, UINT nMax)
{
    if (nMax == 0) {
        return nullptr;
    }
    UINT nCount = 0;
    bool bEnded = false;  // end of the file or a read error before the line was complete
    while (nCount < nMax - 1) {
        int c = PeekRawByte();
        if (c < 0 || c == kCtrlZ) {
            bEnded = true;
            break;
        }
        ++m_nBufferPos;
        if (c == '\r' && PeekRawByte() == '\n') {
            ++m_nBufferPos;  // CR-LF reads as one newline
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

long long CStdioFile::GetPosition() const { return m_nBufferStart + static_cast<long long>(m_nBufferPos); }

long long CStdioFile::Seek(long long lOff, SeekPosition nFrom)
{
    const long long base = nFrom == begin ? 0 : GetPosition();
    if (m_hFile == nullptr || base + lOff < 0) {
        return -1;
    }
    const long long target = base + lOff;
    const long long bufferEnd = m_nBufferStart + static_cast<long long>(m_nBufferEnd);
    if (target >= m_nBufferStart && target <= bufferEnd) {
        m_nBufferPos = static_cast<std::size_t>(target - m_nBufferStart);
        return target;
    }
    if (!os::SeekFile(m_hFile, target)) {
        return -1;
    }
    m_nBufferStart = target;
    m_nBufferPos = m_nBufferEnd = 0;
    m_bEndOfData = false;
    m_bReadError = false;
    return target;
}
