// Conversions between the script's encoding and UTF-16.
#include "backend/win32/wide_text.h"

#include "afx/text.h"

namespace {

UINT CodePage(AfxTextEncoding encoding) { return encoding == AfxTextEncoding::Utf8 ? CP_UTF8 : CP_ACP; }

}  // namespace

WideText::WideText(const char* psz, int nBytes, AfxTextEncoding encoding)
{
    if (psz == nullptr) {
        psz = "";
        nBytes = 0;
    }
    if (nBytes < 0) {
        nBytes = lstrlenA(psz);
    }
    const UINT nCodePage = CodePage(encoding);
    // Never more UTF-16 units than bytes; the conversion itself says how many.
    const int nNeeded = nBytes != 0 ? ::MultiByteToWideChar(nCodePage, 0, psz, nBytes, nullptr, 0) : 0;
    m_psz = new wchar_t[static_cast<unsigned>(nNeeded) + 1];
    m_nLength = nNeeded != 0 ? ::MultiByteToWideChar(nCodePage, 0, psz, nBytes, m_psz, nNeeded) : 0;
    m_psz[m_nLength] = L'\0';
}

NarrowText::NarrowText(const wchar_t* psz, int nUnits, AfxTextEncoding encoding)
{
    if (psz == nullptr) {
        psz = L"";
        nUnits = 0;
    }
    if (nUnits < 0) {
        nUnits = lstrlenW(psz);
    }
    const UINT nCodePage = CodePage(encoding);
    const int nNeeded =
        nUnits != 0 ? ::WideCharToMultiByte(nCodePage, 0, psz, nUnits, nullptr, 0, nullptr, nullptr) : 0;
    m_psz = new char[static_cast<unsigned>(nNeeded) + 1];
    m_nLength =
        nNeeded != 0 ? ::WideCharToMultiByte(nCodePage, 0, psz, nUnits, m_psz, nNeeded, nullptr, nullptr) : 0;
    m_psz[m_nLength] = '\0';
}

char* NarrowText::release()
{
    char* psz = m_psz;
    m_psz = nullptr;
    return psz;
}
