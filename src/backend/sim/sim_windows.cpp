// Simulated windows: creation, destruction, geometry, focus, scroll bars, the
// posted-message queue, the message loop and modal message boxes.
#include <algorithm>

#include "afx/system.h"
#include "afx/os.h"
#include "backend/sim/sim_state.h"

namespace sim {
namespace {

// Non-client sizes, chosen so that a 475 by 350 captioned frame with a client edge
// has the 465 by 321 client area it has under Wine.
constexpr int kCaptionHeight = 19;
constexpr int kDialogFrame = 3;
constexpr int kBorder = 1;
constexpr int kClientEdge = 2;
constexpr int kScrollBarWidth = 16;

std::uintptr_t HandleValue(WindowHandle hWnd) { return reinterpret_cast<std::uintptr_t>(hWnd); }

WindowHandle ToHandle(std::uintptr_t value) { return reinterpret_cast<WindowHandle>(value); }

// Client area inside the window rectangle, in window coordinates.
CRect ClientInWindow(const SimWindow& w)
{
    CRect c{0, 0, w.rect.Width(), w.rect.Height()};
    int inset = 0;
    if ((w.style & WS_CAPTION) == WS_CAPTION) {
        inset = kDialogFrame;
        c.top += kCaptionHeight;
    } else if ((w.style & WS_BORDER) != 0) {
        inset = kBorder;
    }
    if ((w.exStyle & WS_EX_CLIENTEDGE) != 0) {
        inset += kClientEdge;
    }
    c.left += inset;
    c.top += inset;
    c.right -= inset;
    c.bottom -= inset;
    if ((w.style & WS_VSCROLL) != 0) {
        c.right -= kScrollBarWidth;
    }
    c.right = std::max(c.right, c.left);
    c.bottom = std::max(c.bottom, c.top);
    return c;
}

bool EffectivelyVisible(const SimWindow& w)
{
    if ((w.style & WS_VISIBLE) == 0) {
        return false;
    }
    const SimWindow* parent = FindWindow(w.parent);
    return w.parent == nullptr || (parent != nullptr && EffectivelyVisible(*parent));
}

void NoteVisibility()
{
    for (auto& w : TheMachine().windows) {
        if (w->exists && EffectivelyVisible(*w)) {
            w->everShown = true;
        }
    }
}

void SetVisible(SimWindow& w, bool visible)
{
    const bool before = (w.style & WS_VISIBLE) != 0;
    if (visible) {
        w.style |= WS_VISIBLE;
        if (!before) {
            ++w.timesShown;
        }
    } else {
        w.style &= ~WS_VISIBLE;
    }
    NoteVisibility();
}

std::string Describe(const SimWindow& w) { return w.className + " " + std::to_string(w.id); }

int ClampScrollPos(const ScrollBarInfo& s, int pos)
{
    const long long page = s.nPage > 0 ? static_cast<long long>(s.nPage) - 1 : 0;
    const long long highest = std::max<long long>(s.nMin, static_cast<long long>(s.nMax) - page);
    return static_cast<int>(std::clamp<long long>(pos, s.nMin, highest));
}

void SendDestroy(SimWindow& w)
{
    SendMessage(ToHandle(w.handle), WM_DESTROY, 0, 0);
    for (auto& child : TheMachine().windows) {
        if (child->exists && child->parent == ToHandle(w.handle)) {
            SendDestroy(*child);
        }
    }
}

void SendNcDestroy(SimWindow& w)
{
    Machine& m = TheMachine();
    for (auto& child : m.windows) {
        if (child->exists && child->parent == ToHandle(w.handle)) {
            SendNcDestroy(*child);
        }
    }
    m.events.push_back("Destroy " + Describe(w));
    if (m.focus == ToHandle(w.handle)) {
        m.focus = nullptr;
    }
    SendMessage(ToHandle(w.handle), WM_NCDESTROY, 0, 0);
    w.exists = false;
    w.bound = nullptr;
}

void Dispatch(const PostedMessage& pm)
{
    if (FindWindow(pm.hWnd) != nullptr) {
        SendMessage(pm.hWnd, pm.message, pm.wParam, pm.lParam);
    }
}

}  // namespace

SimWindow* FindWindow(WindowHandle hWnd)
{
    Machine& m = TheMachine();
    const std::uintptr_t value = HandleValue(hWnd);
    if (value == 0 || value > m.windows.size()) {
        return nullptr;
    }
    SimWindow* w = m.windows[value - 1].get();
    return w->exists ? w : nullptr;
}

MsgResult SendMessage(WindowHandle hWnd, UINT message, MsgWParam wParam, MsgLParam lParam)
{
    SimWindow* w = FindWindow(hWnd);
    if (w == nullptr) {
        return 0;
    }
    if (w->bound != nullptr) {
        return w->bound->DispatchFromSystem(hWnd, message, wParam, lParam);
    }
    return os::DefWindowProc(hWnd, message, wParam, lParam);
}

void DrainPosted()
{
    Machine& m = TheMachine();
    while (!m.posted.empty()) {
        const PostedMessage pm = m.posted.front();
        m.posted.pop_front();
        Dispatch(pm);
    }
}

std::vector<WindowHandle> AllWindows()
{
    std::vector<WindowHandle> all;
    for (auto& w : TheMachine().windows) {
        all.push_back(ToHandle(w->handle));
    }
    return all;
}

WindowInfo GetWindowInfo(WindowHandle hWnd)
{
    WindowInfo info;
    Machine& m = TheMachine();
    const std::uintptr_t value = HandleValue(hWnd);
    if (value == 0 || value > m.windows.size()) {
        return info;
    }
    const SimWindow& w = *m.windows[value - 1];
    info.exists = w.exists;
    info.className = w.className;
    info.text = w.text;
    info.textEncoding = w.textEncoding;
    info.style = w.style;
    info.exStyle = w.exStyle;
    info.id = w.id;
    info.rect = w.rect;
    const CRect client = ClientInWindow(w);
    info.clientRect = {0, 0, client.Width(), client.Height()};
    info.visible = (w.style & WS_VISIBLE) != 0;
    info.parent = w.parent;
    info.scroll = w.scroll;
    info.timesShown = w.timesShown;
    return info;
}

WindowHandle FindTopLevelWindow()
{
    auto& windows = TheMachine().windows;
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        if ((*it)->exists && (*it)->parent == nullptr) {
            return ToHandle((*it)->handle);
        }
    }
    return nullptr;
}

WindowHandle FindChild(WindowHandle hParent, UINT nID)
{
    for (auto& w : TheMachine().windows) {
        if (w->exists && w->parent == hParent && w->id == nID) {
            return ToHandle(w->handle);
        }
    }
    return nullptr;
}

WindowHandle GetFocus() { return TheMachine().focus; }

bool EverShown(WindowHandle hWnd)
{
    Machine& m = TheMachine();
    const std::uintptr_t value = HandleValue(hWnd);
    return value != 0 && value <= m.windows.size() && m.windows[value - 1]->everShown;
}

void QueueKey(UINT nVirtKey, int nTimes)
{
    TheMachine().input.push_back([nVirtKey, nTimes] {
        for (int i = 0; i < nTimes; ++i) {
            os::PostMessage(TheMachine().focus, WM_KEYDOWN, nVirtKey, 1);
        }
    });
}

void QueueClick(UINT nID)
{
    TheMachine().input.push_back([nID] {
        for (auto& w : TheMachine().windows) {
            if (w->exists && w->className == "BUTTON" && w->id == nID && EffectivelyVisible(*w)) {
                SendMessage(w->parent, WM_COMMAND, MakeLong(nID, BN_CLICKED),
                            static_cast<MsgLParam>(w->handle));
                return;
            }
        }
    });
}

void QueueScroll(UINT nID, UINT nSBCode, UINT nPos)
{
    TheMachine().input.push_back([nID, nSBCode, nPos] {
        for (auto& w : TheMachine().windows) {
            if (w->exists && w->id == nID && w->parent != nullptr) {
                SendMessage(ToHandle(w->handle), WM_VSCROLL, MakeLong(nSBCode, nPos), 0);
                return;
            }
        }
    });
}

void QueueAction(std::function<void()> action) { TheMachine().input.push_back(std::move(action)); }

void DispatchPosted() { DrainPosted(); }

bool LoopStalled() { return TheMachine().loopStalled; }

const std::vector<MessageBoxRecord>& MessageBoxes() { return TheMachine().messageBoxes; }

void SetMessageBoxHandler(std::function<void(const MessageBoxRecord&)> handler)
{
    TheMachine().messageBoxHandler = std::move(handler);
}

const std::vector<std::string>& Events() { return TheMachine().events; }

const std::vector<std::string>& ScrollLog() { return TheMachine().scrollLog; }

}  // namespace sim

// The same non-client sizes as the simulated windows have.
CSize os::GetWindowFrameSize(UINT dwStyle, UINT dwExStyle)
{
    sim::SimWindow window;
    window.style = dwStyle;
    window.exStyle = dwExStyle;
    window.rect = CRect{0, 0, 1000, 1000};
    const CRect client = sim::ClientInWindow(window);
    return CSize{window.rect.Width() - client.Width(), window.rect.Height() - client.Height()};
}

int os::GetVerticalScrollBarWidth() { return sim::kScrollBarWidth; }

namespace os {

using sim::FindWindow;
using sim::SimWindow;
using sim::TheMachine;

WindowHandle CreateWindowEx(UINT dwExStyle, const char* lpszClassName, const char* lpszWindowName, UINT dwStyle,
                            const CRect& rect, WindowHandle hParent, UINT nID, CWnd* pBound, AfxTextEncoding encoding)
{
    sim::Machine& m = TheMachine();
    const std::string className = lpszClassName != nullptr ? lpszClassName : "";
    if (className != "BUTTON" && m.classes.count(className) == 0) {
        return nullptr;
    }
    if (hParent != nullptr && FindWindow(hParent) == nullptr) {
        return nullptr;
    }
    auto w = std::make_unique<SimWindow>();
    w->handle = m.windows.size() + 1;
    w->className = className;
    w->text = lpszWindowName != nullptr ? lpszWindowName : "";
    w->textEncoding = encoding;
    w->style = dwStyle & ~WS_VISIBLE;
    w->exStyle = dwExStyle;
    w->id = nID;
    w->rect = rect;
    w->parent = hParent;
    w->bound = pBound;
    SimWindow& created = *w;
    m.windows.push_back(std::move(w));
    const WindowHandle hWnd = reinterpret_cast<WindowHandle>(created.handle);
    m.events.push_back("Create " + className + " " + std::to_string(nID));

    CreateStruct cs;
    cs.dwExStyle = dwExStyle;
    cs.style = dwStyle;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.Width();
    cs.cy = rect.Height();
    cs.lpszName = lpszWindowName;
    cs.lpszClass = lpszClassName;
    cs.nID = nID;
    if (sim::SendMessage(hWnd, WM_CREATE, 0, reinterpret_cast<MsgLParam>(&cs)) == -1) {
        DestroyWindow(hWnd);
        return nullptr;
    }
    if ((dwStyle & WS_VISIBLE) != 0 && FindWindow(hWnd) != nullptr) {
        sim::SetVisible(created, true);
    }
    return hWnd;
}

BOOL DestroyWindow(WindowHandle hWnd)
{
    SimWindow* w = FindWindow(hWnd);
    if (w == nullptr) {
        return FALSE;
    }
    // As in Windows, a window that goes with the focus inside it gives the focus to its parent.
    for (WindowHandle h = TheMachine().focus; h != nullptr; h = os::GetParent(h)) {
        if (h == hWnd) {
            SetFocus(w->parent);
            break;
        }
    }
    sim::SendDestroy(*w);
    sim::SendNcDestroy(*w);
    return TRUE;
}

void UnbindWindow(WindowHandle hWnd)
{
    if (SimWindow* w = FindWindow(hWnd)) {
        w->bound = nullptr;
    }
}

CWnd* GetBoundObject(WindowHandle hWnd)
{
    SimWindow* w = FindWindow(hWnd);
    return w != nullptr ? w->bound : nullptr;
}

WindowHandle GetParent(WindowHandle hWnd)
{
    SimWindow* w = FindWindow(hWnd);
    return w != nullptr ? w->parent : nullptr;
}

CRect GetClientRect(WindowHandle hWnd)
{
    SimWindow* w = FindWindow(hWnd);
    if (w == nullptr) {
        return {};
    }
    const CRect c = sim::ClientInWindow(*w);
    return {0, 0, c.Width(), c.Height()};
}

CRect GetWindowRect(WindowHandle hWnd)
{
    SimWindow* w = FindWindow(hWnd);
    if (w == nullptr) {
        return {};
    }
    CRect r = w->rect;
    for (SimWindow* p = FindWindow(w->parent); p != nullptr; p = FindWindow(p->parent)) {
        const CRect client = sim::ClientInWindow(*p);
        const int dx = p->rect.left + client.left;
        const int dy = p->rect.top + client.top;
        r = {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
    }
    return r;
}

BOOL ShowWindow(WindowHandle hWnd, int nCmdShow)
{
    SimWindow* w = FindWindow(hWnd);
    if (w == nullptr) {
        return FALSE;
    }
    const BOOL wasVisible = (w->style & WS_VISIBLE) != 0 ? TRUE : FALSE;
    if (w->parent == nullptr) {
        TheMachine().events.push_back("Show " + std::to_string(nCmdShow));
    }
    sim::SetVisible(*w, nCmdShow != SW_HIDE);
    return wasVisible;
}

BOOL SetWindowPos(WindowHandle hWnd, int x, int y, int cx, int cy, UINT nFlags)
{
    SimWindow* w = FindWindow(hWnd);
    if (w == nullptr) {
        return FALSE;
    }
    if ((nFlags & SWP_NOMOVE) == 0) {
        w->rect = {x, y, x + w->rect.Width(), y + w->rect.Height()};
    }
    if ((nFlags & SWP_NOSIZE) == 0) {
        w->rect.right = w->rect.left + cx;
        w->rect.bottom = w->rect.top + cy;
    }
    if ((nFlags & SWP_SHOWWINDOW) != 0) {
        sim::SetVisible(*w, true);
    }
    return TRUE;
}

WindowHandle SetFocus(WindowHandle hWnd)
{
    sim::Machine& m = TheMachine();
    if (FindWindow(hWnd) == nullptr) {
        return nullptr;
    }
    const WindowHandle previous = m.focus;
    m.focus = hWnd;
    if (previous != hWnd) {
        m.events.push_back("Focus " + sim::Describe(*FindWindow(hWnd)));
        sim::SendMessage(hWnd, WM_SETFOCUS, reinterpret_cast<MsgWParam>(previous), 0);
    }
    return previous;
}

BOOL SetScrollInfo(WindowHandle hWnd, int /*nBar*/, const ScrollBarInfo& info, BOOL /*bRedraw*/)
{
    SimWindow* w = FindWindow(hWnd);
    if (w == nullptr) {
        return FALSE;
    }
    ScrollBarInfo& s = w->scroll;
    if ((info.fMask & SIF_RANGE) != 0) {
        s.nMin = info.nMin;
        s.nMax = info.nMax;
    }
    if ((info.fMask & SIF_PAGE) != 0) {
        s.nPage = info.nPage;
    }
    if ((info.fMask & SIF_POS) != 0) {
        s.nPos = info.nPos;
    }
    s.nPos = sim::ClampScrollPos(s, s.nPos);
    return TRUE;
}

int SetScrollPos(WindowHandle hWnd, int /*nBar*/, int nPos, BOOL /*bRedraw*/)
{
    SimWindow* w = FindWindow(hWnd);
    if (w == nullptr) {
        return 0;
    }
    const int previous = w->scroll.nPos;
    w->scroll.nPos = sim::ClampScrollPos(w->scroll, nPos);
    return previous;
}

void ScrollWindow(WindowHandle hWnd, int /*xAmount*/, int yAmount)
{
    if (SimWindow* w = FindWindow(hWnd)) {
        TheMachine().scrollLog.push_back("Scroll " + std::to_string(yAmount));
        w->needsPaint = true;
    }
}

void UpdateWindow(WindowHandle hWnd)
{
    SimWindow* w = FindWindow(hWnd);
    if (w == nullptr) {
        return;
    }
    TheMachine().scrollLog.push_back("Update");
    if (w->needsPaint) {
        sim::SendMessage(hWnd, WM_PAINT, 0, 0);
    }
}

BOOL PostMessage(WindowHandle hWnd, UINT message, MsgWParam wParam, MsgLParam lParam)
{
    if (FindWindow(hWnd) == nullptr) {
        return FALSE;
    }
    TheMachine().posted.push_back({hWnd, message, wParam, lParam});
    return TRUE;
}

MsgResult DefWindowProc(WindowHandle hWnd, UINT message, MsgWParam /*wParam*/, MsgLParam /*lParam*/)
{
    switch (message) {
    case WM_CLOSE:
        DestroyWindow(hWnd);
        return 0;
    case WM_PAINT: {
        void* state = nullptr;
        BeginPaint(hWnd, &state);
        EndPaint(hWnd, state);
        return 0;
    }
    default:
        return 0;
    }
}

// The simulated machine runs no screen reader: the message takes its default processing.
MsgResult AccessibleTextObject(WindowHandle /*hWnd*/, UINT /*nFlags*/) { return 0; }

const char* RegisterWindowClass(UINT nClassStyle, AfxCursor cursor, const Color* pBackground, AfxIcon icon)
{
    sim::WindowClass wc;
    wc.style = nClassStyle;
    wc.cursor = cursor;
    wc.hasBackground = pBackground != nullptr;
    wc.background = pBackground != nullptr ? *pBackground : 0;
    wc.icon = icon;
    const std::string name = "SimClass:" + std::to_string(nClassStyle) + ":" +
                             std::to_string(static_cast<int>(cursor)) + ":" +
                             (wc.hasBackground ? std::to_string(wc.background) : std::string("none")) + ":" +
                             std::to_string(static_cast<int>(icon));
    auto it = TheMachine().classes.emplace(name, wc).first;
    return it->first.c_str();
}

int MessageBox(WindowHandle hOwner, const char* lpszText, const char* lpszCaption, UINT nType,
               AfxTextEncoding encoding)
{
    sim::Machine& m = TheMachine();
    SimWindow* owner = FindWindow(hOwner);
    sim::MessageBoxRecord record{lpszText != nullptr ? lpszText : "", lpszCaption != nullptr ? lpszCaption : "",
                                 nType, hOwner, owner != nullptr && sim::EffectivelyVisible(*owner), encoding};
    m.messageBoxes.push_back(record);
    m.events.push_back("MessageBox " + record.text);
    // A modal box runs its own loop: messages already posted are dispatched inside it.
    sim::DrainPosted();
    if (m.messageBoxHandler) {
        m.messageBoxHandler(record);
    }
    return IDOK;
}

int RunMessageLoop()
{
    sim::Machine& m = TheMachine();
    m.loopStalled = false;
    for (;;) {
        if (!m.posted.empty()) {
            const sim::PostedMessage pm = m.posted.front();
            m.posted.pop_front();
            sim::Dispatch(pm);
            continue;
        }
        if (m.quitPosted) {
            m.quitPosted = false;
            return m.quitCode;
        }
        if (!m.input.empty()) {
            auto action = std::move(m.input.front());
            m.input.pop_front();
            action();
            continue;
        }
        m.loopStalled = true;
        return -1;
    }
}

void PostQuitMessage(int nExitCode)
{
    sim::Machine& m = TheMachine();
    m.quitPosted = true;
    m.quitCode = nExitCode;
    m.events.push_back("Quit " + std::to_string(nExitCode));
}

int GetStartupShowCommand() { return TheMachine().showCommand; }

}  // namespace os
