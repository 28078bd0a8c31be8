#pragma once
// Typing an address into the address bar of an open window of the default browser.

#include <windows.h>

#include <string_view>

namespace zelko {

// Brings an open window of the default browser to the front (restored if minimised), puts the
// focus into its address bar with the browser's chord, clears it, enters the address and presses
// Enter. `inputThreadId` is the calling (main) thread, whose input is attached to the browser's
// thread for the focus step. False only when the default browser is not a recognised kind or no
// suitable window of it is open; the caller then starts the browser. Takes about 0.5 s when the
// window is already in front, about 1 s otherwise. The address must already be URL-safe.
bool deliverToAddressBar(std::wstring_view address, DWORD inputThreadId);

}  // namespace zelko
