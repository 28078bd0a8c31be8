#pragma once
// The about dialog (106): what the program is, the pen's firmware version, the support page and
// the update check.

#include <windows.h>

namespace zelko {

// Runs dialog 106 modally, owned by `owner`. Returns 1 when it was closed, also after a started
// update.
int runAboutDialog(HWND owner);

// Tells an update check that still runs after its dialog has gone to stop, and waits for it.
// Called by shut-down.
void finishUpdateChecks();

}  // namespace zelko
