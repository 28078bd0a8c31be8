#pragma once
// The auto-login worker thread and the main thread's side of it.

#include <windows.h>

#include <cstdint>
#include <string>

namespace zelko {

// A scan taken from the list with auto-login mode on: starts a worker for this scanned code, unless
// an auto-login runs (the scan is then not acted on, and has had its turn). A usable scan whose
// worker cannot be started is opened the ordinary way.
void routeScanToAutoLogin(HWND trayWindow, const std::string& scannedCode);

// WM_OPEN_PENDING_URL: opens the next address the worker handed over, exactly as it was handed
// over, through the scan dispatch.
void openPendingAddress(HWND trayWindow);

// The close request: the worker hands nothing more over and ends at its next look at its flag; a
// login input ends without taking its values. Returns at once.
void askAutoLoginToStop();

// Shut-down: asks the worker to stop, ends a login input without taking its values and waits
// until the worker has ended, at most `patienceMs`: a request that waits for a server is not waited
// out (its time-outs are 10 s each). True when the worker has ended; otherwise it is still inside
// a request, and will still read the stored records should that request succeed. The records
// stay until the caller empties them.
bool stopAutoLogin(std::uint32_t patienceMs);

}  // namespace zelko
