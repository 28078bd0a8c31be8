#pragma once
// The hidden tray window, its notification-area icon and its menu.

#include "tray/win32/tray_messages.h"

namespace zelko {

// Registers the class, creates the window, loads the icons, adds the icon, registers
// "TaskbarCreated". Returns 1.
int createTrayWindow();

}  // namespace zelko
