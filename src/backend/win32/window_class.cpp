// Window classes registered for the framework, one per combination of class style,
// cursor, background colour and icon, each with the shared window procedure.
#include <cstring>
#include <new>

#include "afx/app.h"
#include "afx/dc.h"
#include "afx/os.h"
#include "backend/win32/wide_text.h"
#include "backend/win32/window_proc.h"
#include "backend/win32/windows_include.h"

namespace {

// A registered class; the records and their brushes live as long as the process,
// since a class's background brush must outlive every window of the class.
struct ClassRecord {
    char szName[64];
    ClassRecord* pNext;
};
ClassRecord* g_pClasses = nullptr;

}  // namespace

namespace os {

const char* RegisterWindowClass(UINT nClassStyle, AfxCursor cursor, const Color* pBackground, AfxIcon icon)
{
    const bool bBackground = pBackground != nullptr;
    char szName[64];
    ::wsprintfA(szName, "Afx:%x:%x:%x:%x:%x", nClassStyle, static_cast<UINT>(cursor), bBackground ? 1u : 0u,
                bBackground ? static_cast<UINT>(*pBackground) : 0u, static_cast<UINT>(icon));
    for (ClassRecord* pClass = g_pClasses; pClass != nullptr; pClass = pClass->pNext) {
        if (std::strcmp(pClass->szName, szName) == 0) {
            return pClass->szName;
        }
    }

    // A class of the wide API: its windows keep Unicode texts as they are.
    const WideText className(szName, -1, AfxTextEncoding::Utf8);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = nClassStyle;
    wc.lpfnWndProc = &win32::AfxWndProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hCursor = cursor == AfxCursor::Arrow ? ::LoadCursorA(nullptr, IDC_ARROW) : nullptr;
    wc.hIcon = icon == AfxIcon::Application ? ::LoadIconA(nullptr, IDI_APPLICATION) : nullptr;
    wc.hbrBackground = bBackground ? ::CreateSolidBrush(*pBackground) : nullptr;
    wc.lpszClassName = className.c_str();
    ClassRecord* pClass = new (std::nothrow) ClassRecord;
    if (pClass == nullptr || ::RegisterClassExW(&wc) == 0) {
        delete pClass;
        if (wc.hbrBackground != nullptr) {
            ::DeleteObject(wc.hbrBackground);
        }
        return nullptr;
    }
    std::strcpy(pClass->szName, szName);
    pClass->pNext = g_pClasses;
    g_pClasses = pClass;
    return pClass->szName;
}

}  // namespace os
