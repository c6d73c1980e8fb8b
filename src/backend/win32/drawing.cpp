// Device contexts, painting, text and brushes over gdi32, and the system colours.
#include <new>

#include "afx/dc.h"
#include "afx/os.h"
#include "backend/win32/char_width_cache.h"
#include "backend/win32/handles.h"
#include "backend/win32/wide_text.h"
#include "backend/win32/system_color.h"

namespace os {

Color GetSysColor(int nIndex) { return win32::GetSystemColor(nIndex); }

DcHandle GetDC(WindowHandle hWnd) { return FromHdc(::GetDC(ToHwnd(hWnd))); }

void ReleaseDC(WindowHandle hWnd, DcHandle hDC) { ::ReleaseDC(ToHwnd(hWnd), ToHdc(hDC)); }

DcHandle BeginPaint(WindowHandle hWnd, void** ppPaintState)
{
    PAINTSTRUCT* pPaint = new (std::nothrow) PAINTSTRUCT{};
    *ppPaintState = pPaint;
    if (pPaint == nullptr) {
        return nullptr;
    }
    return FromHdc(::BeginPaint(ToHwnd(hWnd), pPaint));
}

void EndPaint(WindowHandle hWnd, void* pPaintState)
{
    PAINTSTRUCT* pPaint = static_cast<PAINTSTRUCT*>(pPaintState);
    if (pPaint == nullptr) {
        return;
    }
    ::EndPaint(ToHwnd(hWnd), pPaint);
    delete pPaint;
}

BOOL GetTextMetrics(DcHandle hDC, TextMetrics* pMetrics)
{
    TEXTMETRICA tm{};
    if (!::GetTextMetricsA(ToHdc(hDC), &tm)) {
        return FALSE;
    }
    pMetrics->tmHeight = tm.tmHeight;
    pMetrics->tmAveCharWidth = tm.tmAveCharWidth;
    return TRUE;
}

CSize GetTextExtent(DcHandle hDC, const char* lpszString, int nCount, AfxTextEncoding encoding)
{
    SIZE size{};
    if (nCount < 0) {
        return CSize{};
    }
    const WideText text(lpszString, nCount, encoding);
    if (!SumCharacterWidths(ToHdc(hDC), text.c_str(), text.length(), &size) &&
        !::GetTextExtentPoint32W(ToHdc(hDC), text.c_str(), text.length(), &size)) {
        return CSize{};
    }
    return CSize{size.cx, size.cy};
}

CPoint SetWindowOrg(DcHandle hDC, int x, int y)
{
    POINT previous{};
    ::SetWindowOrgEx(ToHdc(hDC), x, y, &previous);
    return CPoint{previous.x, previous.y};
}

void FillRect(DcHandle hDC, const CRect& rect, void* hBrush)
{
    const RECT rc = ToRect(rect);
    ::FillRect(ToHdc(hDC), &rc, static_cast<HBRUSH>(hBrush));
}

Color SetBkColor(DcHandle hDC, Color color) { return ::SetBkColor(ToHdc(hDC), color); }

int SetBkMode(DcHandle hDC, int nBkMode) { return ::SetBkMode(ToHdc(hDC), nBkMode); }

Color SetTextColor(DcHandle hDC, Color color) { return ::SetTextColor(ToHdc(hDC), color); }

BOOL TextOut(DcHandle hDC, int x, int y, const char* lpszString, int nCount, AfxTextEncoding encoding)
{
    if (nCount < 0) {
        return FALSE;
    }
    const WideText text(lpszString, nCount, encoding);
    return ::TextOutW(ToHdc(hDC), x, y, text.c_str(), text.length());
}

void* CreateSolidBrush(Color color) { return ::CreateSolidBrush(color); }

void DeleteObject(void* hObject) { ::DeleteObject(static_cast<HGDIOBJ>(hObject)); }

}  // namespace os
