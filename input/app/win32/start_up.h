#pragma once
// Bringing the resident program up and down, and its message loop.

#include <windows.h>

namespace zelko {

// False means the program must not run (another instance runs in this session).
bool startUp(HINSTANCE instance);
void shutDown();
// Runs until WM_QUIT; returns its wParam.
int runMessageLoop();

}  // namespace zelko
