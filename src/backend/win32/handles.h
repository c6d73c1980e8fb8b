// Conversions between the framework's opaque handles and the Win32 handles they carry.
#pragma once

#include "afx/file.h"
#include "afx/types.h"
#include "backend/win32/windows_include.h"

inline HWND ToHwnd(WindowHandle hWnd) { return reinterpret_cast<HWND>(hWnd); }
inline WindowHandle FromHwnd(HWND hWnd) { return reinterpret_cast<WindowHandle>(hWnd); }
inline HDC ToHdc(DcHandle hDC) { return reinterpret_cast<HDC>(hDC); }
inline DcHandle FromHdc(HDC hDC) { return reinterpret_cast<DcHandle>(hDC); }
inline HANDLE ToHandle(FileHandle hFile) { return reinterpret_cast<HANDLE>(hFile); }
inline FileHandle FromHandle(HANDLE hFile) { return reinterpret_cast<FileHandle>(hFile); }

inline CRect FromRect(const RECT& rc) { return CRect{rc.left, rc.top, rc.right, rc.bottom}; }
inline RECT ToRect(const CRect& rect) { return RECT{rect.left, rect.top, rect.right, rect.bottom}; }
