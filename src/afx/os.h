// The backend interface: everything the framework needs of the system, and all that
// a backend implements.
//
// Three backends implement it: backend/win32/ over user32, gdi32, advapi32, shell32
// and kernel32; backend/sim/, the simulated platform the tests run on; and
// backend/console/, files and a box on the terminal for the console tools. The
// framework (afx/) is written once on top of it, and a program links the framework's
// parts it uses, so a backend implements the calls of those parts only. Nothing
// outside the framework and the backends includes this header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "afx/app.h"
#include "afx/dc.h"
#include "afx/file.h"
#include "afx/system.h"
#include "afx/types.h"
#include "afx/wnd.h"

namespace os {

// Windows. A window created with a bound object delivers its messages, from the
// first one on, to pBound->DispatchFromSystem until WM_NCDESTROY.
// The window's name is of that encoding.
WindowHandle CreateWindowEx(UINT dwExStyle, const char* lpszClassName, const char* lpszWindowName, UINT dwStyle,
                            const CRect& rect, WindowHandle hParent, UINT nID, CWnd* pBound, AfxTextEncoding encoding);
BOOL DestroyWindow(WindowHandle hWnd);
// Forgets the object bound to a window; called on WM_NCDESTROY.
void UnbindWindow(WindowHandle hWnd);
CWnd* GetBoundObject(WindowHandle hWnd);
WindowHandle GetParent(WindowHandle hWnd);
CRect GetClientRect(WindowHandle hWnd);
CRect GetWindowRect(WindowHandle hWnd);
BOOL ShowWindow(WindowHandle hWnd, int nCmdShow);
BOOL SetWindowPos(WindowHandle hWnd, int x, int y, int cx, int cy, UINT nFlags);
WindowHandle SetFocus(WindowHandle hWnd);
BOOL SetScrollInfo(WindowHandle hWnd, int nBar, const ScrollBarInfo& info, BOOL bRedraw);
int SetScrollPos(WindowHandle hWnd, int nBar, int nPos, BOOL bRedraw);
void ScrollWindow(WindowHandle hWnd, int xAmount, int yAmount);
void UpdateWindow(WindowHandle hWnd);
BOOL PostMessage(WindowHandle hWnd, UINT message, MsgWParam wParam, MsgLParam lParam);
MsgResult DefWindowProc(WindowHandle hWnd, UINT message, MsgWParam wParam, MsgLParam lParam);
const char* RegisterWindowClass(UINT nClassStyle, AfxCursor cursor, const Color* pBackground, AfxIcon icon);
// See CWnd::AccessibleTextObject.
MsgResult AccessibleTextObject(WindowHandle hWnd, UINT nFlags);

// Message boxes, the message loop and the process's show command.
// The text and the caption are of that encoding.
int MessageBox(WindowHandle hOwner, const char* lpszText, const char* lpszCaption, UINT nType,
               AfxTextEncoding encoding);
int RunMessageLoop();
void PostQuitMessage(int nExitCode);
int GetStartupShowCommand();

// Drawing.
DcHandle GetDC(WindowHandle hWnd);
void ReleaseDC(WindowHandle hWnd, DcHandle hDC);
DcHandle BeginPaint(WindowHandle hWnd, void** ppPaintState);
void EndPaint(WindowHandle hWnd, void* pPaintState);
BOOL GetTextMetrics(DcHandle hDC, TextMetrics* pMetrics);
CSize GetTextExtent(DcHandle hDC, const char* lpszString, int nCount, AfxTextEncoding encoding);
CPoint SetWindowOrg(DcHandle hDC, int x, int y);
void FillRect(DcHandle hDC, const CRect& rect, void* hBrush);
Color SetBkColor(DcHandle hDC, Color color);
int SetBkMode(DcHandle hDC, int nBkMode);
Color SetTextColor(DcHandle hDC, Color color);
BOOL TextOut(DcHandle hDC, int x, int y, const char* lpszString, int nCount, AfxTextEncoding encoding);
// The system's graphemes and line breaks in nLength bytes of UTF-8 text: pFlags (as
// many bytes, zeroed) gets AFX_CHAR_STOP and AFX_BREAK_BEFORE. False, with pFlags
// untouched, when the system has no break finder or it fails.
bool FindUnicodeLineBreaks(const char* pszText, int nLength, unsigned char* pFlags);
void* CreateSolidBrush(Color color);
void DeleteObject(void* hObject);
// See ::GetSysColor.
Color GetSysColor(int nIndex);

// Binary file reading. While a file is open, others may read it but not write,
// rename or delete it.
FileHandle OpenFileForReading(const char* lpszFileName, AfxTextEncoding encoding);
// Reads up to nCount bytes; false on a read error. *pnRead is 0 at the end of the file.
bool ReadFile(FileHandle hFile, void* pBuffer, std::size_t nCount, std::size_t* pnRead);
// Moves to an absolute raw offset; false on failure.
bool SeekFile(FileHandle hFile, long long nOffset);
void CloseFile(FileHandle hFile);
// The SHA-256 of the bytes from the file's position to its end; false on a read
// error, or when the system cannot hash.
bool HashFileSha256(FileHandle hFile, unsigned char digest[32]);
// See AfxFindFileNoCase.
std::string FindFileNoCase(const char* lpszFolder, const char* lpszRelativePath);

// The registry, read only: a key opened with KEY_READ, its name of that encoding;
// null when it cannot be opened. See CRegKey::QueryValue for a value's reading, in
// the encoding the key was opened with.
void* RegOpenKey(AfxRootKey root, const char* lpszKeyName, AfxTextEncoding encoding);
long RegQueryValue(void* hKey, AfxTextEncoding encoding, const char* lpszValueName, void* pData,
                   std::uint32_t nLimit, std::uint32_t* pnBytes);
void RegCloseKey(void* hKey);

// The system's services of afx/system.h and afx/held_files.h, each the framework function
// of the same name with the prefix Afx.
std::uint32_t GetFileVersionInfoSize(const char* lpszFileName, AfxTextEncoding encoding);
BOOL GetFileVersionInfo(const char* lpszFileName, AfxTextEncoding encoding, std::uint32_t nSize, void* pBlock);
BOOL VerQueryValue(const void* pBlock, const char* lpszSubBlock, AfxTextEncoding encoding, const void** ppBuffer,
                   UINT* pnLength);
UINT WinExec(const char* lpszCmdLine, AfxTextEncoding encoding, int nCmdShow);
int GetDisplayDpi();
std::vector<std::string> GetUserLanguages();
CSize GetWindowFrameSize(UINT dwStyle, UINT dwExStyle);
int GetVerticalScrollBarWidth();
const char* GetSeal(std::size_t* pnSize);
bool ProgramExists(const char* lpszPath, AfxTextEncoding encoding);

// The full path of the running executable, in that encoding.
const char* GetModuleFileName(AfxTextEncoding encoding);
// The desktop's work area: the screen less the task bar.
CRect GetWorkArea();
// True when c begins a double-byte character in the system's ANSI code page,
// whatever the script's encoding; text logic asks AfxCharLength instead.
bool IsLeadByte(unsigned char c);

}  // namespace os
