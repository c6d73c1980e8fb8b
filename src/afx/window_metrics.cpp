// The system's sizes of window frames and scroll bars, from the backend.
#include "afx/system.h"
#include "afx/os.h"

CSize AfxGetWindowFrameSize(UINT dwStyle, UINT dwExStyle) { return os::GetWindowFrameSize(dwStyle, dwExStyle); }

int AfxGetVerticalScrollBarWidth() { return os::GetVerticalScrollBarWidth(); }
