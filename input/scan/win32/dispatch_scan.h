#pragma once
// The browser action of one scan.

#include <windows.h>

#include <string_view>

namespace zelko {

// Opens the given address (up to any NUL, at most kMaxAddressLength bytes) in the default browser,
// as Settings.outputMode says: a start, or delivery into a running browser's address bar falling
// back to a start. A failed start shows "ブラウザを起動できませんでした" owned by trayWindow. An
// empty address does nothing. Runs on the main thread.
void dispatchScan(HWND trayWindow, std::string_view pendingAddress);

// The same action for one scanned code: "http://" + the code when it is usable, else nothing.
void dispatchScanCode(HWND trayWindow, std::string_view code);

}  // namespace zelko
