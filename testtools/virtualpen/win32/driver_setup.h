#pragma once
// Installs and removes the virtual pen drivers through SetupAPI and newdev, as a device maker's
// installer installs a root-enumerated device's driver.

#include <windows.h>

#include <string>

namespace zelko::virtualpen {

struct SetupResult {
    bool ok = true;
    std::wstring step;  // the call that failed
    DWORD error = 0;
};

// `folder` holds ZelkoVirtualPen.inf and the two drivers. Installing when the bus device exists
// already installs its driver again (a rebuilt driver replaces the old one).
SetupResult installVirtualPenDrivers(const std::wstring& folder);
SetupResult removeVirtualPenDrivers(const std::wstring& folder);

}  // namespace zelko::virtualpen
