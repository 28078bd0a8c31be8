#pragma once
// Driving the resident program's tray menu from another process, as a user would with the keys.

#include <windows.h>

#include <chrono>

namespace zelko::test {

// The visible popup menu window of this process, or null after the timeout.
HWND waitForPopupMenu(DWORD processId, std::chrono::milliseconds timeout);
bool popupMenuOpen(DWORD processId);

// Opens the tray menu with a button-down on the icon and chooses the item at `index` (0 is the
// first) with the arrow keys and Enter. False if the menu did not open.
bool chooseTrayMenuItem(HWND trayWindow, DWORD processId, int index);

// True while the shell shows the notification-area icon (uID 1) of this tray window: a
// modification that changes nothing succeeds only for an icon that is there.
bool trayIconShown(HWND trayWindow);

// Closes an open popup menu with Escape.
void dismissPopupMenu(HWND menu);

}  // namespace zelko::test
