#pragma once
// Bringing the resident program up and down, and its message loop.

#include <windows.h>

namespace zelko {

// False means the program must not run (another instance runs in this session).
bool startUp(HINSTANCE instance);
// False when the auto-login worker is still inside a request to a server: the process must then
// end at once (ExitProcess), before the static tear-down frees what that worker may still read.
bool shutDown();
// Runs until WM_QUIT; returns its wParam.
int runMessageLoop();

}  // namespace zelko
