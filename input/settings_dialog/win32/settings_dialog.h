#pragma once
// The settings dialog (output mode, sound, notification) and the centring shared with the about
// dialog.

#include <windows.h>

namespace zelko {

// Runs dialog 107 modally, owned by `owner`. Returns 1 after apply, 0 after cancel.
int runSettingsDialog(HWND owner);

// Moves the window to the middle of the desktop and shows it.
void centreOnScreen(HWND window);

}  // namespace zelko
