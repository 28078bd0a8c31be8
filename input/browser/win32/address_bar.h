#pragma once
// Typing an address into the address bar of an open window of the default browser.

#include <windows.h>

#include <string_view>

namespace zelko {

// Brings an open, visible and answering window of the default browser to the front (restored if
// minimised), waits until it is there (at most 500 ms), puts the focus into its address bar with
// the browser's chord, clears it, types the address and presses Enter. Before every step the
// window must still be in front, so no key ever goes to another window. `inputThreadId` is the
// calling (main) thread, whose input is joined to the foreground window's thread for the switch.
//
// False, and the caller starts the browser instead, when the default browser is not a recognised
// kind, no suitable answering window of it is open, the window did not come to the front, or it
// left the front (or the input was refused) during the delivery. Takes about 0.5 s. The address
// must already be URL-safe.
bool deliverToAddressBar(std::wstring_view address, DWORD inputThreadId);

}  // namespace zelko
