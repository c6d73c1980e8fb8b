// <windows.h> for the Windows backend, included after the framework's headers.
//
// The project's headers declare the Win32 constants the launcher uses as typed
// values; <windows.h> then defines macros of the same names and values, which is
// harmless. What does clash is undone here:
// - the framework's ::GetSysColor(int) (afx/dc.h) has the signature of the user32
//   function but C++ linkage, so <windows.h> declares the user32 one under another
//   name; system_color.cpp is the one file that reaches the real function;
// - the A/W macros named like backend functions and framework methods are removed,
//   and the backend names each function it calls in full: the wide one wherever
//   text of the script's or the system's passes (converted by wide_text.h), the ANSI
//   one only with fixed ASCII names and with no text at all.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef STRICT
#define STRICT
#endif

#define GetSysColor Win32GetSysColorHidden
#include <windows.h>
#undef GetSysColor

#undef CreateWindowEx
#undef DefWindowProc
#undef GetTextMetrics
#undef MessageBox
#undef PostMessage
#undef TextOut
#undef GetModuleFileName
#undef GetFileVersionInfo
#undef GetFileVersionInfoSize
#undef VerQueryValue
#undef RegOpenKey
#undef RegQueryValue
