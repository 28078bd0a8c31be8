#pragma once
// The seam between pen discovery and the HID class driver: a list of HID interface paths and the
// identity of an opened interface. The shipped program links the SetupAPI/hid.dll implementation
// (hid_interfaces_setupapi.cpp); the test build links the pen simulator's, so that the same
// discovery rules run against simulated pens.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace zelko {

// Device paths longer than this do not fit the reader's fixed 260-unit path buffers.
constexpr std::size_t kMaxDevicePathLength = 259;

struct HidIdentity {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint16_t versionNumber = 0;
    std::uint16_t usagePage = 0;  // of the top-level collection
    std::uint16_t usage = 0;
};

// The present HID interfaces' paths, in enumeration order (appended to `paths`). False when the
// interfaces cannot be enumerated at all.
bool listHidInterfacePaths(std::vector<std::wstring>& paths);

// The identity of the interface at `path`, opened as `device`. False when the attributes or the
// top-level collection's capabilities cannot be read.
bool identifyHidInterface(HANDLE device, const std::wstring& path, HidIdentity& identity);

}  // namespace zelko
