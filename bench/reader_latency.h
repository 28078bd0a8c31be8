#pragma once
// The pen reader's latency and idle figures over any pen line: the reader in this process, a
// hidden window as the tray window, scans written to the pen at 1000 reports per second. Shared by
// the benchmark over the pen simulator and the one over the virtual pen.

#include <windows.h>

#include <array>
#include <cstdint>

#include "pen/win32/pen_reader.h"

namespace zelko::bench {

struct Figures {
    double p50 = 0, p99 = 0, max = 0;
    int sent = 0, received = 0, lost = 0;
    double idleCpuPercent = 0;
    double idleCpuMs = 0;
};

// The pen the benchmark types on.
class BenchPen {
  public:
    virtual ~BenchPen() = default;
    // True once `reader` holds the pen open for reading (called while the window pumps).
    virtual bool readBy(PenReader& reader) = 0;
    // Sends one input report; returns pensim::nowMicroseconds() just before it left the pen.
    virtual long long send(const std::array<std::uint8_t, 4>& report) = 0;
};

// The hidden window that stands for the tray window.
HWND createBenchWindow();

// The shipped read loop (`polling` false) or the old 1 ms polling loop over `pen`: idle CPU over
// `idleSeconds`, then `scans` scans back to back.
Figures runVariant(bool polling, HWND window, BenchPen& pen, int scans, int idleSeconds);

void printHeader(int scans, int idleSeconds);
void printRow(const char* name, const Figures& figures);

}  // namespace zelko::bench
