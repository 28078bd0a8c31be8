#pragma once
// The reader's read loop on the claimed pen.

#include "pen/win32/pen_reader.h"

namespace zelko {

// Opens devicePath for overlapped I/O, asks the driver for its largest input report queue, and
// reads the pen's reports into scans until the device fails, another process holds the handover
// mutex, or the stop request comes; closes the device.
void runReadLoop(PenReader& reader);

// True while another process holds the handover mutex (it sends its farewell to the pen).
bool handoverInProgress();

extern const wchar_t kHandoverMutexName[];

}  // namespace zelko
