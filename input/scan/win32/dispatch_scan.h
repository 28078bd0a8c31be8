#pragma once
// The browser action of one scan.

#include <windows.h>

#include <string_view>

namespace zelko {

// Opens the newest scan (pendingAddress null) or the given address in the default browser, as
// Settings.outputMode says: a start, or delivery into a running browser's address bar falling back
// to a start. A failed start shows "ブラウザを起動できませんでした" owned by trayWindow. An
// unusable scan, an empty list or an empty address does nothing. Runs on the main thread.
void dispatchScan(HWND trayWindow, const char* pendingAddress);

// The same action for one scanned code: "http://" + the code when it is usable, else nothing.
void dispatchScanCode(HWND trayWindow, std::string_view code);

}  // namespace zelko
