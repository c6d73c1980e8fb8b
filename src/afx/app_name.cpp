// The application name from the executable's path, read by characters of its
// encoding: a double-byte character whose second byte is 0x5C holds no backslash.
#include "afx/app_name.h"

#include "afx/text.h"

std::string AppNameFromModulePath(const std::string& path, AfxTextEncoding encoding)
{
    std::string name = path;
    if (const char* pDot = AfxFindLastOf(name.c_str(), ".", encoding)) {
        name.erase(static_cast<std::string::size_type>(pDot - name.c_str()));
    }
    if (const char* pSeparator = AfxFindLastOf(name.c_str(), "\\/:", encoding)) {
        name.erase(0, static_cast<std::string::size_type>(pSeparator - name.c_str()) + 1);
    }
    return name;
}
