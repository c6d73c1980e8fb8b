// Where the plain start looks for a program: the launcher's folder, the current
// folder, the system folders and the PATH.
#include "afx/os.h"
#include "backend/win32/wide_text.h"
#include "backend/win32/windows_include.h"

bool os::ProgramExists(const char* lpszPath, AfxTextEncoding encoding)
{
    wchar_t szFound[MAX_PATH];
    const DWORD nLength =
        ::SearchPathW(nullptr, WideText(lpszPath, -1, encoding).c_str(), nullptr, MAX_PATH, szFound, nullptr);
    return nLength > 0 && nLength < MAX_PATH && (::GetFileAttributesW(szFound) & FILE_ATTRIBUTE_DIRECTORY) == 0;
}
