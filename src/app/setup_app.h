// CSetupApp: the launcher's start-up.
#pragma once

#include "afx/app.h"

class CSetupApp : public CWinApp {
public:
    // Loads the script, builds the hidden frame, centres it, runs the installed-version
    // check, then shows the frame (nonzero) or ends the program (0).
    BOOL InitInstance() override;
};

extern CSetupApp theApp;
