// Runs the whole launcher on the simulated platform, as a process would.
#pragma once

#include <new>
#include <string>

#include "app/setup_app.h"
#include "afx/app.h"
#include "backend/sim/sim.h"
#include "script/setup_script.h"

// Rebuilds the two static program objects in their order, then runs the program
// from start-up to exit. Returns the exit status.
inline int RunLauncher()
{
    // Only the view frees the message, so a run that ended before the window leaves it.
    delete[] theScript.m_pszMessage;
    theScript.~CSetupScript();
    theApp.~CSetupApp();
    new (&theApp) CSetupApp;
    new (&theScript) CSetupScript;
    return AfxWinMain();
}

// A fresh machine holding this setup.ini.
inline void ResetWithScript(const std::string& script)
{
    sim::Reset();
    sim::AddFile("setup.ini", script);
}

inline WindowHandle FrameWindow()
{
    for (WindowHandle h : sim::AllWindows()) {
        const sim::WindowInfo info = sim::GetWindowInfo(h);
        if (info.parent == nullptr && info.className != "BUTTON") {
            return h;
        }
    }
    return nullptr;
}

inline WindowHandle ChildWindow(UINT nID)
{
    for (WindowHandle h : sim::AllWindows()) {
        const sim::WindowInfo info = sim::GetWindowInfo(h);
        if (info.parent != nullptr && info.id == nID) {
            return h;
        }
    }
    return nullptr;
}
