// Controls of the simulated platform, for tests.
//
// The simulated platform models what the launcher relies on of Windows: windows
// with parents, ids, styles, client rectangles and focus; WM_CREATE handled inside
// the creating call; DestroyWindow taking the children with it; a posted-message
// queue that the message loop and every modal message box drain; painting into a
// recorded list of drawing calls; a font set per test; files, a registry, version
// resources and process starts set up and inspected per test.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "afx/system.h"
#include "afx/types.h"
#include "afx/wnd.h"

namespace sim {

// Back to a fresh machine: no windows, files, registry or records; ANSI text; default font
// (height 16, average width 7, every character 7 wide), single-byte code page,
// module path "C:\media\SETUP.EXE", work area (0, 0, 1024, 738), show command
// SW_SHOWNORMAL, every WinExec succeeding, the user's language en-US.
void Reset();

// --- Environment -------------------------------------------------------------
void SetModuleFileName(const std::string& path);
void SetWorkArea(const CRect& area);
void SetStartupShowCommand(int nCmdShow);
// A double-byte code page whose lead bytes are 0x81-0x9F and 0xE0-0xFC.
void SetDoubleByteCodePage(bool enabled);
// The user's UI languages, most wanted first; "en-US" alone by default.
void SetUserLanguages(const std::vector<std::string>& tags);

// --- Files (names compared without regard to ASCII case) ---------------------
void AddFile(const std::string& name, const std::string& bytes);
// Reads of the file fail once nGoodBytes bytes have been read.
void SetFileReadError(const std::string& name, std::size_t nGoodBytes);

// --- Font ----------------------------------------------------------------------
void SetFontMetrics(int tmHeight, int tmAveCharWidth);
// Width of each byte in pixels; a text extent is the sum over its bytes.
void SetCharWidth(std::function<int(unsigned char)> width);
// Number of GetTextExtent calls since the last Reset.
long TextExtentCalls();
// Whether the system finds line breaks in UTF-8 text (sim_line_breaks.cpp); yes by default.
void SetBreakFinder(bool available);

// --- Registry (key paths and value names compared without regard to case) -----
void SetRegistryValue(AfxRootKey root, const std::string& keyPath, const std::string& valueName,
                      const std::string& data);
void AddRegistryKey(AfxRootKey root, const std::string& keyPath);
// Number of registry keys opened since the last Reset.
int RegistryOpenCount();

// --- Version resources ---------------------------------------------------------
struct VersionResource {
    std::vector<std::pair<std::uint16_t, std::uint16_t>> translations;  // language, code page
    // "\StringFileInfo\<key>\FileVersion" entries, key as 8 hex digits, e.g. "040904b0".
    std::vector<std::pair<std::string, std::string>> fileVersions;
    bool readFails = false;  // GetFileVersionInfo fails although the size is known
};
void SetFileVersion(const std::string& path, const VersionResource& resource);
// Number of version-resource size queries since the last Reset.
int VersionQueryCount();

// --- Process start -------------------------------------------------------------
struct StartedCommand {
    std::string commandLine;
    int nCmdShow;
    AfxTextEncoding encoding;
    std::vector<std::string> openFiles;  // lower-case names of the files open as it started
};
// Result of every WinExec from now on (below 32: failure).
void SetWinExecResult(UINT result);
const std::vector<StartedCommand>& StartedCommands();

// --- Seal ---------------------------------------------------------------------
// The launcher carries this seal (script/medium_seal.h); none after Reset.
void SetSeal(const std::string& bytes);
// The SHA-256 of the bytes, as seals write it.
std::string Sha256Hex(const std::string& bytes);

// --- Message boxes -------------------------------------------------------------
struct MessageBoxRecord {
    std::string text;
    std::string caption;
    UINT type;
    WindowHandle owner;
    bool ownerVisible;
    AfxTextEncoding encoding;  // of the text and the caption
};
const std::vector<MessageBoxRecord>& MessageBoxes();
// Runs while a box is up, after the box has drained the posted messages.
void SetMessageBoxHandler(std::function<void(const MessageBoxRecord&)> handler);

// --- Event log: "MessageBox <text>", "WinExec <cmd>", "Create <class> <id>",
// "Show <cmdshow>", "Focus <class> <id>", "Destroy <class> <id>", "Quit <code>" in the
// order they happened.
const std::vector<std::string>& Events();

// --- Windows -------------------------------------------------------------------
struct WindowInfo {
    bool exists = false;
    std::string className;
    std::string text;
    AfxTextEncoding textEncoding = AfxTextEncoding::Ansi;
    UINT style = 0;
    UINT exStyle = 0;
    UINT id = 0;
    CRect rect;        // screen coordinates for top-level windows, parent client ones for children
    CRect clientRect;  // left and top 0
    bool visible = false;  // the WS_VISIBLE bit of the window itself
    WindowHandle parent = nullptr;
    ScrollBarInfo scroll;  // vertical scroll bar
    int timesShown = 0;    // how often the window became visible
};
// Every window ever created, in creation order (destroyed ones have exists false).
std::vector<WindowHandle> AllWindows();
WindowInfo GetWindowInfo(WindowHandle hWnd);
WindowHandle FindTopLevelWindow();  // the newest top-level window that exists
WindowHandle FindChild(WindowHandle hParent, UINT nID);
WindowHandle GetFocus();
// Was the window ever visible, itself and all its ancestors, at any moment?
bool EverShown(WindowHandle hWnd);

// --- Drawing -------------------------------------------------------------------
struct DrawCall {
    enum Kind { SetWindowOrg, FillRect, SetBkColor, SetBkMode, SetTextColor, TextOut } kind;
    CRect rect;       // FillRect
    int x = 0;        // SetWindowOrg, TextOut
    int y = 0;
    Color color = 0;  // FillRect (brush colour), SetBkColor, SetTextColor
    int mode = 0;     // SetBkMode
    std::string text; // TextOut
    AfxTextEncoding encoding = AfxTextEncoding::Ansi;  // TextOut
};
// Sends WM_PAINT to the window and returns the drawing calls of that paint.
std::vector<DrawCall> Paint(WindowHandle hWnd);
// Every ScrollWindow (dy) and UpdateWindow since the last Reset, as "Scroll <dy>" / "Update".
const std::vector<std::string>& ScrollLog();
Color SysColor(int nIndex);

// --- Input, played one at a time whenever the message loop is idle --------------
// Posts WM_KEYDOWN (repeat count 1) to the window that has the focus, nTimes at once.
void QueueKey(UINT nVirtKey, int nTimes = 1);
// Clicks the button with this control id (WM_COMMAND BN_CLICKED to its parent).
void QueueClick(UINT nID);
// Sends WM_VSCROLL with a scroll code and thumb position to the window with this id.
void QueueScroll(UINT nID, UINT nSBCode, UINT nPos);
void QueueAction(std::function<void()> action);
// Dispatches every posted message now, as a message loop would.
void DispatchPosted();
// True when the last message loop ran out of messages and input without a quit
// request: a real program would wait for ever.
bool LoopStalled();

}  // namespace sim
