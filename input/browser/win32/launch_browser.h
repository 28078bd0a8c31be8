#pragma once
// Starting the default browser on an address through the shell.

#include <string_view>

namespace zelko {

// Asks the shell to open the address (quoted) with whatever handles its scheme. True when the
// shell accepted the request. The address must already be URL-safe (urlSafeAddress): the shell
// puts it into the browser's registered command line as it stands.
bool launchBrowser(std::wstring_view address);

}  // namespace zelko
