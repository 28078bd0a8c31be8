// Pen discovery over the HID interface seam: the first matching interface in enumeration order
// wins; interfaces that do not open or do not identify are skipped.

#include "pen/win32/pen_discovery.h"

#include <vector>

#include "pen/win32/pen_commands.h"

namespace zelko {
namespace {

HANDLE openForProbe(const std::wstring& path) {
    return CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Calls `atInterface(path)` before each interface is opened and `atPen(path, identity)` for each
// pen until one of them returns true. False when none did.
template <class AtInterface, class AtPen>
bool walkPens(AtInterface atInterface, AtPen atPen) {
    std::vector<std::wstring> paths;
    if (!listHidInterfacePaths(paths)) {
        return false;
    }
    for (const std::wstring& path : paths) {
        if (path.empty() || path.size() > kMaxDevicePathLength) {
            continue;
        }
        atInterface(path);
        HidIdentity identity;
        {
            UniqueFileHandle probe(openForProbe(path));
            if (!probe || !identifyHidInterface(probe.get(), path, identity) ||
                !isPenIdentity(identity)) {
                continue;
            }
        }  // the probe handle is closed before the pen is used
        if (atPen(path, identity)) {
            return true;
        }
    }
    return false;
}

void storeVersion(PenReader& reader, const HidIdentity& identity) {
    MutexLock guard(reader.lock);
    reader.penVersion = identity.versionNumber;
}

}  // namespace

bool isPenIdentity(const HidIdentity& identity) {
    return identity.vendorId == kPenVendorId && identity.productId == kPenProductId &&
           identity.usagePage == kPenUsagePage && identity.usage == kPenUsage;
}

int findPen(PenReader& reader, std::wstring* path) {
    const bool found = walkPens([](const std::wstring&) {},
                                [&](const std::wstring& penPath, const HidIdentity& identity) {
                                    storeVersion(reader, identity);
                                    if (path != nullptr) {
                                        *path = penPath;
                                    }
                                    return true;
                                });
    return found ? 1 : 0;
}

int claimPen(PenReader& reader) {
    {
        MutexLock guard(reader.lock);
        if (!reader.devicePath.empty()) {
            return 0;
        }
    }
    const bool claimed = walkPens(
        [&](const std::wstring& path) {
            MutexLock guard(reader.lock);
            reader.devicePath = path;
        },
        [&](const std::wstring&, const HidIdentity& identity) {
            storeVersion(reader, identity);
            return sendPenCommand(reader, PenCommand::Announce, nullptr, true) == 1;
        });
    if (!claimed) {
        MutexLock guard(reader.lock);
        reader.devicePath.clear();
        return 0;
    }
    return 1;
}

int checkLink(PenReader& reader) {
    std::wstring path;
    {
        MutexLock guard(reader.lock);
        path = reader.devicePath;
    }
    int state = 0;
    if (!path.empty()) {
        UniqueFileHandle probe(openForProbe(path));
        if (probe) {
            state = 1;
        }
    }
    MutexLock guard(reader.lock);
    if (state == 0) {
        reader.devicePath.clear();
    }
    reader.linkState = state;
    notifyTargetWindow(reader, kPenLinkNotice, state);
    return state;
}

}  // namespace zelko
