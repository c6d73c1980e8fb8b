// The tools' search for a file with names compared without regard to letter case.
#include "afx/file.h"
#include "afx/os.h"

std::string AfxFindFileNoCase(const char* lpszFolder, const char* lpszRelativePath)
{
    return os::FindFileNoCase(lpszFolder, lpszRelativePath);
}

bool AfxFileExistsNoCase(const char* lpszFolder, const char* lpszRelativePath)
{
    return !os::FindFileNoCase(lpszFolder, lpszRelativePath).empty();
}
