#pragma once
// Finding an open window of the default browser.

#include <windows.h>

#include "browser/browser_kind.h"

namespace zelko {

// The first suitable top-level window of a running process of the kind (see chooseBrowserWindow)
// whose thread answers a message within 200 ms, with its process and thread ids written to the
// out-parameters that are given; null when none is open. Processes that cannot be opened or whose
// first module cannot be read are skipped, and so is every window of a hung thread: a hung browser
// counts as no browser.
HWND findBrowserWindow(BrowserKind kind, DWORD* processId, DWORD* threadId);

}  // namespace zelko
