// The window procedure of every window class the framework registers.
#pragma once

#include "backend/win32/windows_include.h"

namespace win32 {

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace win32
