// The system's break finder for UTF-8 text.
#include "afx/text.h"
#include "afx/os.h"

bool AfxFindUnicodeLineBreaks(const char* pszText, int nLength, unsigned char* pFlags)
{
    return os::FindUnicodeLineBreaks(pszText, nLength, pFlags);
}
