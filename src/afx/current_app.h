// The running application object, kept apart from CWinApp's run so that a console
// tool, which has none, shows the application-level box without linking windows.
#pragma once

class CWinApp;

// Set by CWinApp's constructor, cleared by its destructor; read by AfxGetApp.
void AfxSetCurrentApp(CWinApp* pApp);
