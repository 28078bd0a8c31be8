#pragma once
// Finding the pen among the HID interfaces, claiming it, and the open test of the claimed path.

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "pen/win32/hid_interfaces.h"
#include "pen/win32/pen_reader.h"

namespace zelko {

constexpr std::uint16_t kPenVendorId = 0x1A7F;
constexpr std::uint16_t kPenProductId = 0x0001;
constexpr std::uint16_t kPenUsagePage = 0x0001;  // Generic Desktop
constexpr std::uint16_t kPenUsage = 0x0000;

bool isPenIdentity(const HidIdentity& identity);

// One pen among the HID interfaces.
struct PenInterface {
    std::wstring path;
    std::uint16_t version = 0;
};

// HID interfaces already identified as something other than a pen, by path. An interface's
// identity does not change while it is present, so a reader that lists the pens round after round
// opens each of them once; a path that is no longer listed is forgotten.
using OtherInterfaces = std::set<std::wstring>;

// The pens among the present HID interfaces, in enumeration order: one enumeration, each interface
// opened once to read its identity (none of `others`, which is kept up to date when given). Empty
// when there is none or the interfaces cannot be listed.
std::vector<PenInterface> listPens(OtherInterfaces* others = nullptr);

// Presence test: 1 when a pen is among the present interfaces (the first one's path goes to
// `path` if given), else 0. Records the pen's version.
int findPen(PenReader& reader, std::wstring* path = nullptr);

// Finds the first pen that takes the announce command, keeps its path in devicePath and returns 1;
// 0 (devicePath empty) when none does. Returns 0 at once when a path is already kept.
int claimPen(PenReader& reader);
// The same over pens already listed (a reader round lists them once for presence and claim).
int claimPen(PenReader& reader, const std::vector<PenInterface>& pens);

// Open test of devicePath; drops the path when it does not open. Stores and announces the new
// linkState and returns it.
int checkLink(PenReader& reader);

}  // namespace zelko
