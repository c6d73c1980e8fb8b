// The system's break finder for UTF-8 text.
#include "platform/afx_text.h"
#include "platform/os.h"

bool AfxFindUnicodeLineBreaks(const char* pszText, int nLength, unsigned char* pFlags)
{
    return os::FindUnicodeLineBreaks(pszText, nLength, pFlags);
}
