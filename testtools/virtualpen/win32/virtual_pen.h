#pragma once
// A virtual pen on the virtual pen bus, driven from a test process: plugged in when made (with
// the HID identity asked for), unplugged when it goes. The pen becomes a real HID device of the
// Wine session: the program under test finds it through SetupAPI and hid.dll, reads its input
// reports and writes its output reports through the HID class driver.

#include <windows.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "common/win32/unique_handle.h"
#include "virtualpen/control_protocol.h"

namespace zelko::virtualpen {

using InputReport = std::array<std::uint8_t, kInputReportSize>;
using OutputReport = std::array<std::uint8_t, kOutputReportSize>;

// The pen's identity by default: the ZELKO pen (vendor 0x1A7F, product 0x0001, version 1.00,
// top-level collection usage page 1, usage 0).
PenIdentity zelkoPenIdentity();

// True when the bus driver runs in this Wine session (its control device opens).
bool virtualPenBusAvailable();

class VirtualPen {
  public:
    explicit VirtualPen(const PenIdentity& identity = zelkoPenIdentity());
    ~VirtualPen();
    VirtualPen(const VirtualPen&) = delete;
    VirtualPen& operator=(const VirtualPen&) = delete;

    // The bus has taken the pen; the system makes its HID device shortly after (asynchronously).
    bool plugged() const { return number_ != 0; }
    // Waits until the pen's HID device opens (as the program would open it).
    bool waitUntilPresent(std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;

    // Queues input reports for the HID class driver, in order.
    bool inject(const std::vector<InputReport>& reports) const;
    // The output reports written to the pen since the last call, oldest first.
    std::vector<OutputReport> takeOutputReports() const;

    // Takes the pen off the bus; waits until the system has removed its devices.
    bool unplug(std::chrono::milliseconds timeout = std::chrono::seconds(10));

    const PenIdentity& identity() const { return identity_; }

  private:
    bool query(PenStatus& status) const;

    PenIdentity identity_;
    UniqueFileHandle control_;
    std::uint32_t number_ = 0;
};

// "00 80"-style text of a report.
std::string reportText(const OutputReport& report);

}  // namespace zelko::virtualpen
