// The HID interface seam of the test build: the pen simulator's published interfaces stand in for
// the HID class driver. Linked only into the test build.

#include "pen/win32/hid_interfaces.h"

#include "pensim/published_interfaces.h"

namespace zelko {

bool listHidInterfacePaths(std::vector<std::wstring>& paths) {
    for (const auto& published : pensim::publishedInterfaces()) {
        paths.push_back(published.path);
    }
    return true;
}

bool identifyHidInterface(HANDLE device, const std::wstring& path, HidIdentity& identity) {
    if (device == INVALID_HANDLE_VALUE || device == nullptr ||
        GetFileType(device) != FILE_TYPE_PIPE) {
        return false;
    }
    const auto published = pensim::publishedInterfaceAt(path);
    if (!published || !published->identity.identifies) {
        return false;
    }
    identity.vendorId = published->identity.vendorId;
    identity.productId = published->identity.productId;
    identity.versionNumber = published->identity.version;
    identity.usagePage = published->identity.usagePage;
    identity.usage = published->identity.usage;
    return true;
}

}  // namespace zelko
