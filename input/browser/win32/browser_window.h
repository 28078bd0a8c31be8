#pragma once
// Finding an open window of the default browser.

#include <windows.h>

#include "browser/browser_kind.h"

namespace zelko {

// The first suitable top-level window of a running process of the kind (see chooseBrowserWindow),
// with its process and thread ids written to the out-parameters that are given; null when none is
// open. Processes that cannot be opened or whose first module cannot be read are skipped.
HWND findBrowserWindow(BrowserKind kind, DWORD* processId, DWORD* threadId);

}  // namespace zelko
