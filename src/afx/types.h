// Basic types and the Win32 constants the launcher uses, with their Win32 values.
//
// Only the platform backends include <windows.h>, and they include it after this
// header: the constants are declared here as typed values, and the macros that
// <windows.h> defines later for the same names carry the same values.
#pragma once

#include <cstdint>

typedef unsigned int UINT;
typedef int BOOL;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

// Message parameters, wide enough for a pointer on both Windows targets.
using MsgWParam = std::uintptr_t;
using MsgLParam = std::intptr_t;
using MsgResult = std::intptr_t;

// An RGB colour in the Win32 layout (0x00BBGGRR).
using Color = std::uint32_t;

// Opaque handles; each backend gives them its own meaning.
struct WindowTag;
using WindowHandle = WindowTag*;
struct DeviceContextTag;
using DcHandle = DeviceContextTag*;

struct CPoint {
    int x = 0;
    int y = 0;
};

struct CSize {
    int cx = 0;
    int cy = 0;
};

struct CRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const CRect& o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool operator!=(const CRect& o) const { return !(*this == o); }
};

inline UINT MakeLong(UINT low, UINT high) { return (low & 0xFFFF) | ((high & 0xFFFF) << 16); }
inline UINT LowWord(std::uintptr_t v) { return static_cast<UINT>(v & 0xFFFF); }
inline UINT HighWord(std::uintptr_t v) { return static_cast<UINT>((v >> 16) & 0xFFFF); }

// Window messages.
constexpr UINT WM_CREATE = 0x0001;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_SETFOCUS = 0x0007;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_GETOBJECT = 0x003D;
constexpr UINT WM_NCDESTROY = 0x0082;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_VSCROLL = 0x0115;

// The object a screen reader asks a window for: its client area.
constexpr int OBJID_CLIENT = -4;

// Button notification.
constexpr UINT BN_CLICKED = 0;

// Virtual keys.
constexpr UINT VK_RETURN = 13;
constexpr UINT VK_ESCAPE = 27;
constexpr UINT VK_PRIOR = 33;
constexpr UINT VK_NEXT = 34;
constexpr UINT VK_END = 35;
constexpr UINT VK_HOME = 36;
constexpr UINT VK_LEFT = 37;
constexpr UINT VK_UP = 38;
constexpr UINT VK_RIGHT = 39;
constexpr UINT VK_DOWN = 40;

// Scroll codes and scroll-bar settings.
constexpr UINT SB_LINEUP = 0;
constexpr UINT SB_LINEDOWN = 1;
constexpr UINT SB_PAGEUP = 2;
constexpr UINT SB_PAGEDOWN = 3;
constexpr UINT SB_THUMBPOSITION = 4;
constexpr UINT SB_THUMBTRACK = 5;
constexpr UINT SB_TOP = 6;
constexpr UINT SB_BOTTOM = 7;
constexpr UINT SB_ENDSCROLL = 8;
constexpr int SB_VERT = 1;
constexpr UINT SIF_RANGE = 0x0001;
constexpr UINT SIF_PAGE = 0x0002;
constexpr UINT SIF_POS = 0x0004;

// Window styles.
constexpr UINT WS_CHILD = 0x40000000;
constexpr UINT WS_VISIBLE = 0x10000000;
constexpr UINT WS_CAPTION = 0x00C00000;
constexpr UINT WS_BORDER = 0x00800000;
constexpr UINT WS_DLGFRAME = 0x00400000;
constexpr UINT WS_VSCROLL = 0x00200000;
constexpr UINT WS_SYSMENU = 0x00080000;
constexpr UINT WS_TABSTOP = 0x00010000;
constexpr UINT WS_EX_CLIENTEDGE = 0x00000200;
constexpr UINT BS_PUSHBUTTON = 0x00000000;
constexpr UINT BS_DEFPUSHBUTTON = 0x00000001;

// Class styles.
constexpr UINT CS_VREDRAW = 0x0001;
constexpr UINT CS_HREDRAW = 0x0002;
constexpr UINT CS_DBLCLKS = 0x0008;

// Window placement.
constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOZORDER = 0x0004;
constexpr UINT SWP_NOACTIVATE = 0x0010;
constexpr UINT SWP_SHOWWINDOW = 0x0040;
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOW = 5;

// Message boxes.
constexpr UINT MB_OK = 0x00000000;
constexpr UINT MB_ICONEXCLAMATION = 0x00000030;
constexpr UINT MB_ICONMASK = 0x000000F0;
constexpr int IDOK = 1;

// System colours.
constexpr int COLOR_MENU = 4;
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWTEXT = 8;

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;
