#pragma once
// A simulated pen: a HID collection as far as the resident program uses it, made of an overlapped
// named pipe server. Every open handle gets every input report through a queue of its own, which
// holds 32 reports unless a reader asked the HID layer for more (the oldest is lost when it is
// full); each handle's output reports are recorded with the time they were taken. The pen can be
// unplugged and plugged in again, and can refuse output reports (the writer's write then never
// completes).

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "pensim/published_interfaces.h"
#include "pensim/scan_reports.h"

namespace zelko::pensim {

struct OutputReport {
    long long microseconds = 0;  // nowMicroseconds() when the pen took it
    int handle = 0;              // which open handle wrote it (numbered from 1 per pen)
    std::vector<std::uint8_t> bytes;
};

class SimulatedPen {
  public:
    // Publishes the pen (attached) unless `attach` is false. `name` makes the path readable.
    explicit SimulatedPen(const std::wstring& name, const PenIdentity& identity = {},
                          bool attach = true);
    SimulatedPen(const SimulatedPen&) = delete;
    SimulatedPen& operator=(const SimulatedPen&) = delete;
    ~SimulatedPen();  // unplugs

    const std::wstring& path() const;
    const PenIdentity& identity() const;

    void plugIn();  // publishes the pen and accepts opens
    void unplug();  // closes every handle's connection and withdraws the pen
    bool attached() const;

    // While refusing, output reports are never taken: writes stay pending until cancelled.
    void setRefuseOutput(bool refuse);

    // Sends one input report to every open handle's queue; returns nowMicroseconds() just before
    // the first write, and the number of handles that got it in `handles` if given.
    long long sendReport(const InputReport& report, int* handles = nullptr);
    // Sends the reports with their delays; returns the time of the last one (0 when none went).
    long long sendReports(const std::vector<TimedReport>& reports);
    // Types a scan; false when the text cannot be typed by the pen.
    bool typeScan(const std::string& text, const ScanTyping& typing = {},
                  long long* lastReportMicroseconds = nullptr);

    std::vector<OutputReport> outputReports() const;
    // Open handles, counting only those open for at least `minimumAge`.
    int openHandleCount(std::chrono::milliseconds minimumAge = std::chrono::milliseconds(0)) const;
    // Bytes of output reports written to the pen and not taken (pending while refusing).
    unsigned pendingOutputBytes() const;
    // Input reports sent and not yet read, over all open handles.
    unsigned queuedInputReports() const;
    // When a reader last read an input report (nowMicroseconds()), or 0.
    long long lastInputTakenMicroseconds() const;

  private:
    class Server;
    std::unique_ptr<Server> server_;
};

// Holds the handover mutex, as another process does while it sends its farewell to the pen.
class HandoverMutexHold {
  public:
    HandoverMutexHold();
    HandoverMutexHold(const HandoverMutexHold&) = delete;
    HandoverMutexHold& operator=(const HandoverMutexHold&) = delete;
    ~HandoverMutexHold();
    bool held() const { return mutex_ != nullptr; }
    void release();

  private:
    HANDLE mutex_ = nullptr;
};

// Waits until `deadline` (QueryPerformanceCounter microseconds), sleeping.
void waitUntilMicroseconds(long long deadline);

}  // namespace zelko::pensim
