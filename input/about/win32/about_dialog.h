#pragma once
// The about dialog (106): what the program is, the pen's firmware version, the support page and
// the update check.

#include <windows.h>

#include <cstdint>

namespace zelko {

// Runs dialog 106 modally, owned by `owner`. Returns 1 when it was closed, also after a started
// update.
int runAboutDialog(HWND owner);

// The close request: the check of the open dialog, if one runs, is told to stop, and its answer is
// not acted on. Returns at once.
void abandonUpdateCheck();

// Tells an update check that still runs after its dialog has gone to stop, and waits for it, at
// most `patienceMs`: a check still waiting for the server then is let go, to end with the process.
// Called by shut-down.
void finishUpdateChecks(std::uint32_t patienceMs);

}  // namespace zelko
