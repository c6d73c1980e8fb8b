// What the driver and the scroll probe DLL share: the names of the reply mapping and
// of the query message, and the reply's layout.
//
// Wine answers GetScrollInfo only inside the process that owns the window, so the
// driver hooks the launcher's thread with the probe DLL: the driver posts the query
// message to a window, and the hook, running in the launcher, reads the window's
// vertical scroll bar and writes the reply into a mapping named after the driver's
// process id.
#pragma once

#include <windows.h>

#include <string>

constexpr char kScrollProbeQueryMessage[] = "SetupE2EScrollProbeQuery";
constexpr char kScrollProbeHookName[] = "ScrollProbeHook";

struct ScrollProbeReply {
    volatile LONG nSequence;  // the query's wParam, written last
    BOOL bOk;
    SCROLLINFO info;
};

// The query's lParam is the driver's process id.
inline std::string ScrollProbeMappingName(DWORD dwDriverPid)
{
    return "Local\\SetupE2EScrollProbe." + std::to_string(dwDriverPid);
}
