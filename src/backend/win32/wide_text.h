// Text crossing the platform edge: the script's encoding (the ANSI code page or
// UTF-8, see afx/text.h) to UTF-16 for the wide API, and back.
//
// In an ANSI script the conversion is CP_ACP, exactly what the system's ANSI
// functions do themselves, so every result stays what those functions give. A
// broken UTF-8 sequence, also one cut at the end of a counted prefix, becomes
// U+FFFD.
#pragma once

#include "afx/text.h"
#include "backend/win32/windows_include.h"

// A text converted to UTF-16, NUL-terminated; a null pointer reads as "".
class WideText {
public:
    // nBytes < 0: up to the NUL. A text of that encoding.
    WideText(const char* psz, int nBytes, AfxTextEncoding encoding);
    WideText(const WideText&) = delete;
    WideText& operator=(const WideText&) = delete;
    ~WideText() { delete[] m_psz; }

    const wchar_t* c_str() const { return m_psz; }
    // For the calls that may write into the text they are given.
    wchar_t* data() { return m_psz; }
    // UTF-16 units, without the NUL.
    int length() const { return m_nLength; }

private:
    wchar_t* m_psz = nullptr;
    int m_nLength = 0;
};

// A UTF-16 text converted to that encoding, NUL-terminated.
class NarrowText {
public:
    // nUnits < 0: up to the NUL.
    NarrowText(const wchar_t* psz, int nUnits, AfxTextEncoding encoding);
    NarrowText(const NarrowText&) = delete;
    NarrowText& operator=(const NarrowText&) = delete;
    ~NarrowText() { delete[] m_psz; }

    const char* c_str() const { return m_psz; }
    // Bytes, without the NUL.
    int length() const { return m_nLength; }
    // Hands the buffer over to the caller, who frees it with delete[].
    char* release();

private:
    char* m_psz = nullptr;
    int m_nLength = 0;
};
