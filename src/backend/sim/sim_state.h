// The state of the simulated machine, shared by the simulated backend's files.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "afx/app.h"
#include "backend/sim/sim.h"

namespace sim {

struct SimWindow {
    std::uintptr_t handle = 0;
    bool exists = true;
    std::string className;
    std::string text;
    AfxTextEncoding textEncoding = AfxTextEncoding::Ansi;
    UINT style = 0;
    UINT exStyle = 0;
    UINT id = 0;
    CRect rect;
    WindowHandle parent = nullptr;
    CWnd* bound = nullptr;
    ScrollBarInfo scroll;
    bool needsPaint = false;
    int timesShown = 0;
    bool everShown = false;
};

struct PostedMessage {
    WindowHandle hWnd;
    UINT message;
    MsgWParam wParam;
    MsgLParam lParam;
};

struct SimDc {
    WindowHandle hWnd = nullptr;
    bool painting = false;
    std::vector<DrawCall> calls;
    CPoint origin;
    Color bkColor = 0xFFFFFF;
    int bkMode = OPAQUE;
    Color textColor = 0;
};

struct SimFile {
    std::string bytes;
    std::size_t goodBytes = static_cast<std::size_t>(-1);  // reads fail past this many bytes
};

struct OpenFile {
    std::string name;
    std::size_t position = 0;
    std::size_t bytesRead = 0;
};

struct WindowClass {
    UINT style = 0;
    AfxCursor cursor = AfxCursor::None;
    bool hasBackground = false;
    Color background = 0;
    AfxIcon icon = AfxIcon::None;
};

struct Machine {
    // Environment
    std::string moduleFileName = "C:\\media\\SETUP.EXE";
    CRect workArea{0, 0, 1024, 738};
    int showCommand = SW_SHOWNORMAL;
    bool doubleByte = false;
    std::vector<std::string> userLanguages{"en-US"};

    // Windows
    std::vector<std::unique_ptr<SimWindow>> windows;  // index = handle - 1
    std::map<std::string, WindowClass> classes;
    WindowHandle focus = nullptr;
    std::deque<PostedMessage> posted;
    std::deque<std::function<void()>> input;
    bool quitPosted = false;
    int quitCode = 0;
    bool loopStalled = false;

    // Drawing
    int tmHeight = 16;
    int tmAveCharWidth = 7;
    std::function<int(unsigned char)> charWidth;
    long extentCalls = 0;
    bool hasBreakFinder = true;
    std::vector<std::string> scrollLog;
    std::vector<DrawCall> lastPaint;

    // Files, registry, version resources, processes
    std::map<std::string, SimFile> files;  // key: lower-case name
    std::map<std::string, std::map<std::string, std::string>> registry;  // key: "root\lower path"
    int registryOpens = 0;
    std::map<std::string, VersionResource> versions;  // key: lower-case path
    int versionQueries = 0;
    UINT winExecResult = 33;
    std::vector<StartedCommand> started;
    bool sealed = false;
    std::string seal;

    // Records
    std::vector<MessageBoxRecord> messageBoxes;
    std::function<void(const MessageBoxRecord&)> messageBoxHandler;
    std::vector<std::string> events;
};

Machine& TheMachine();
// The lower-case names of the open files, one for each handle. Kept apart from the
// machine, which a reset replaces while the launcher's record may hold its script open,
// and which ends before that record does.
std::vector<std::string>& OpenFileNames();

std::string ToLower(std::string s);
SimWindow* FindWindow(WindowHandle hWnd);  // null when the handle never existed or is destroyed
MsgResult SendMessage(WindowHandle hWnd, UINT message, MsgWParam wParam, MsgLParam lParam);
// Dispatches posted messages until the queue is empty or a quit request comes.
void DrainPosted();

}  // namespace sim
