#pragma once
// Letting a message from programs of lower integrity reach a window.

#include <windows.h>

namespace zelko {

// Lets `message` reach `window` from programs of lower integrity (ChangeWindowMessageFilterEx), so
// that an elevated instance still hears the shell's "TaskbarCreated". False when the call is not
// there (before Windows 7) or is refused; the window then works as before, without that message
// from such programs.
bool allowMessageFromLowerIntegrity(HWND window, UINT message);

}  // namespace zelko
