#pragma once
// The choice of the browser window that receives an address, over a list of found windows.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "browser/browser_kind.h"

namespace zelko {

// One top-level window of a running process, as the shell found it.
struct BrowserWindowRecord {
    std::u16string processName;  // the base name of the process's first module
    std::uint32_t processId = 0;
    std::uint32_t threadId = 0;  // the thread that created the window
    std::uintptr_t window = 0;
    bool hasParent = false;
    bool visible = true;  // hidden windows (Chrome keeps several) never receive an address
    std::u16string windowClass;
    std::u16string windowTitle;
};

// True when the lower-cased process name begins with the kind's executable name.
bool isProcessOfBrowser(BrowserKind kind, std::u16string_view processName);

// The index of the first record, in the given order (processes in the system's order, within a
// process its windows topmost first), that is a visible parentless window of a process of the kind,
// whose lower-cased class equals the kind's class filter (when it has one) and whose lower-cased
// title is not the kind's excluded title. None for an unknown kind or when no record qualifies.
std::optional<std::size_t> chooseBrowserWindow(BrowserKind kind,
                                               const std::vector<BrowserWindowRecord>& records);

}  // namespace zelko
