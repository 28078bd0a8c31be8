#pragma once
// The pen state the tray icon shows.

#include <cstdint>

namespace zelko {

enum class TrayState : std::int32_t {
    Usable = 0,       // pen claimed and reading
    NoAccess = 1,     // pen present but not opened by this program
    NotAttached = 2,  // no pen in the device list
};

// The reader fields the tray tick reads under the reader's lock.
struct PenStatus {
    std::int32_t penPresent = 0;
    std::int32_t running = 0;
    bool holdsDevicePath = false;
    std::int32_t linkState = 0;
};

TrayState chooseTrayState(const PenStatus& status);

struct TrayStateLook {
    int iconResource;
    const char16_t* tip;
};

TrayStateLook trayStateLook(TrayState state);

}  // namespace zelko
