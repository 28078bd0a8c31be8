#pragma once
// Finding the pen among the HID interfaces, claiming it, and the open test of the claimed path.

#include <string>

#include "pen/win32/hid_interfaces.h"
#include "pen/win32/pen_reader.h"

namespace zelko {

constexpr std::uint16_t kPenVendorId = 0x1A7F;
constexpr std::uint16_t kPenProductId = 0x0001;
constexpr std::uint16_t kPenUsagePage = 0x0001;  // Generic Desktop
constexpr std::uint16_t kPenUsage = 0x0000;

bool isPenIdentity(const HidIdentity& identity);

// Presence test: 1 when a pen is among the present interfaces (the first one's path goes to
// `path` if given), else 0. Records the pen's version.
int findPen(PenReader& reader, std::wstring* path = nullptr);

// Finds the first pen that takes the announce command, keeps its path in devicePath and returns 1;
// 0 (devicePath empty) when none does. Returns 0 at once when a path is already kept.
int claimPen(PenReader& reader);

// Open test of devicePath; drops the path when it does not open. Stores and announces the new
// linkState and returns it.
int checkLink(PenReader& reader);

}  // namespace zelko
