#pragma once
// The plug and play identities of the virtual pen bus and its pens: the bus's hardware id (the
// installer creates the root device with it), and each pen's device, instance, hardware and
// compatible ids, which bind the HID minidriver to the pen (the INF names the compatible id) and
// from which the HID class driver names the pen's HID device ("HID\VID_1A7F&PID_0001").
// Portable: the ids are written into caller's storage.

#include <stddef.h>
#include <stdint.h>

#include "virtualpen/control_protocol.h"

namespace zelko::virtualpen {

constexpr wchar_t kBusHardwareId[] = L"ZELKOVPEN\\BUS";
constexpr wchar_t kPenCompatibleId[] = L"ZELKOVPEN\\PEN";

// Longest id list written below, terminators included.
constexpr size_t kMaxPenIdLength = 96;

// Each writes its text (a list: each id NUL-terminated and one more NUL at the end) into `out`
// (room for `capacity` characters) and returns the characters written, terminators included, or 0
// when it does not fit.
size_t writePenDeviceId(const PenIdentity& identity, wchar_t* out, size_t capacity);
size_t writePenInstanceId(uint32_t slot, wchar_t* out, size_t capacity);
size_t writePenHardwareIds(const PenIdentity& identity, wchar_t* out, size_t capacity);
size_t writePenCompatibleIds(wchar_t* out, size_t capacity);

}  // namespace zelko::virtualpen
