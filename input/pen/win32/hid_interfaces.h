#pragma once
// The seam between the pen layer and the HID class driver: a list of HID interface paths, the
// identity of an opened interface, the size of its input report queue, and the news that an
// interface has arrived. The shipped program links the SetupAPI/hid.dll implementation
// (hid_interfaces_setupapi.cpp, hid_arrivals_setupapi.cpp); the test build links the pen
// simulator's, so that the same rules run against simulated pens.

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

// The input reports the HID class driver keeps for the reader's handle while the reader is busy
// elsewhere: its largest queue. The system's default of 32 holds only about 16 characters of a
// scan.
constexpr unsigned long kPenInputReportQueue = 512;

// Asks the HID class driver to queue up to `count` input reports for `device` (opened on `path`).
// False when the driver refuses; the handle then keeps its default queue.
bool setHidInputReportQueue(HANDLE device, const std::wstring& path, unsigned long count);

// From this call until stopWatchingHidArrivals, `arrival` (an event) is set whenever a HID
// interface may have arrived. Called once, on a thread that runs a message loop (the main thread).
// False when arrivals cannot be watched; the reader's slow round then still finds a new pen.
bool watchHidArrivals(HANDLE arrival);
void stopWatchingHidArrivals();

}  // namespace zelko
