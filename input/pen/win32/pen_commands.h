#pragma once
// The two commands the program sends to the pen as its 2-byte output report.

#include <windows.h>

#include <cstdint>

#include "pen/win32/pen_reader.h"

namespace zelko {

enum class PenCommand : std::uint8_t {
    Farewell = 0x00,  // host software leaving
    Announce = 0x80,  // host software active (also the keep-alive)
};

enum class ReportWrite {
    Sent,         // both bytes written
    NotTaken,     // every attempt failed or timed out
    Stopped,      // the stop request ended the attempts
    DeviceError,  // the device failed; the handle is of no further use
};

// Writes the output report of `command` on an open overlapped handle: up to 5 attempts, each given
// up after 50 ms without progress. When `cancellable`, the reader's stop request ends the attempts.
ReportWrite writePenReport(PenReader& reader, HANDLE device, PenCommand command, bool cancellable);

// Opens `devicePath` (or, when null, the reader's claimed path) and sends the command; 1 when the
// report was written, else 0.
int sendPenCommand(PenReader& reader, PenCommand command, const wchar_t* devicePath,
                   bool cancellable);

// Opens a HID interface for the read loop and the commands.
HANDLE openPenOverlapped(const wchar_t* devicePath);

}  // namespace zelko
