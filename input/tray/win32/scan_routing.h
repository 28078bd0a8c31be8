#pragma once
// The tray window's handling of "a scan is ready": every scan gets its turn once, in the order
// scanned.

#include <windows.h>

namespace zelko {

// Takes the scans of the reader's list that have not had their turn, oldest first, and hands each
// to the scan dispatch (auto-login mode off) or to the auto-login routing (on). Main thread only.
void routeNewScans(HWND trayWindow);

}  // namespace zelko
