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

void storeVersion(PenReader& reader, std::uint16_t version) {
    MutexLock guard(reader.lock);
    reader.penVersion = version;
}

}  // namespace

bool isPenIdentity(const HidIdentity& identity) {
    return identity.vendorId == kPenVendorId && identity.productId == kPenProductId &&
           identity.usagePage == kPenUsagePage && identity.usage == kPenUsage;
}

std::vector<PenInterface> listPens(OtherInterfaces* others) {
    std::vector<PenInterface> pens;
    std::vector<std::wstring> paths;
    if (!listHidInterfacePaths(paths)) {
        return pens;
    }
    OtherInterfaces stillListed;
    for (const std::wstring& path : paths) {
        if (path.empty() || path.size() > kMaxDevicePathLength) {
            continue;
        }
        if (others != nullptr && others->count(path) != 0) {
            stillListed.insert(path);
            continue;
        }
        HidIdentity identity;
        UniqueFileHandle probe(openForProbe(path));
        if (!probe || !identifyHidInterface(probe.get(), path, identity)) {
            continue;  // tried again next time: it may open later, or be a pen
        }
        if (isPenIdentity(identity)) {
            pens.push_back(PenInterface{path, identity.versionNumber});
        } else {
            stillListed.insert(path);
        }
    }  // each probe handle is closed before the next interface is opened
    if (others != nullptr) {
        *others = std::move(stillListed);
    }
    return pens;
}

int findPen(PenReader& reader, std::wstring* path) {
    const std::vector<PenInterface> pens = listPens();
    if (pens.empty()) {
        return 0;
    }
    storeVersion(reader, pens.front().version);
    if (path != nullptr) {
        *path = pens.front().path;
    }
    return 1;
}

int claimPen(PenReader& reader) {
    {
        MutexLock guard(reader.lock);
        if (!reader.devicePath.empty()) {
            return 0;
        }
    }
    return claimPen(reader, listPens());
}

int claimPen(PenReader& reader, const std::vector<PenInterface>& pens) {
    {
        MutexLock guard(reader.lock);
        if (!reader.devicePath.empty()) {
            return 0;
        }
    }
    for (const PenInterface& pen : pens) {
        {
            MutexLock guard(reader.lock);
            reader.devicePath = pen.path;
        }
        storeVersion(reader, pen.version);
        if (sendPenCommand(reader, PenCommand::Announce, nullptr, true) == 1) {
            return 1;
        }
    }
    MutexLock guard(reader.lock);
    reader.devicePath.clear();
    return 0;
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
