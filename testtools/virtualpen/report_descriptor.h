#pragma once
// The HID report descriptor of a virtual pen: one application collection with the usage page and
// usage asked for, an input report of 3 data bytes and an output report of 1 data byte, without
// report ids (so the program reads 4-byte and writes 2-byte reports, byte 0 the id 0). Portable.

#include <stddef.h>
#include <stdint.h>

namespace zelko::virtualpen {

constexpr size_t kMaxReportDescriptorSize = 64;

// Writes the descriptor into `out` (room for `capacity` bytes) and returns its length, or 0 when
// it does not fit.
size_t encodeReportDescriptor(uint16_t usagePage, uint16_t usage, uint8_t* out, size_t capacity);

}  // namespace zelko::virtualpen
