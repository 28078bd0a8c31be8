// Reader benchmark over a virtual pen: the shipped read loop with the shipped HID layer (SetupAPI,
// hid.dll and the HID class driver; the virtual pen drivers installed in the Wine prefix), the
// same figures as zelko_pen_bench.exe's simulator rows, which runs this program for its last row.
// The time "written" is taken just before the report is handed to the virtual pen's driver, so it
// includes the way from this process into the driver.
// Usage: zelko_virtual_pen_bench.exe [scans (default 1000)] [idle seconds (default 10)]
// [--row-only]

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "pensim/simulated_pen.h"
#include "reader_latency.h"
#include "virtualpen/win32/virtual_pen.h"

namespace zelko::bench {
namespace {

constexpr char kRowName[] = "event wait (shipped), virtual pen";

class VirtualBenchPen : public BenchPen {
  public:
    // Claimed (the announce report arrived) and the claim's link test done: the read loop opens
    // its handle next.
    bool readBy(PenReader& reader) override {
        if (!claimed_) {
            claimed_ = !pen_.takeOutputReports().empty();
        }
        if (!claimed_) {
            return false;
        }
        MutexLock guard(reader.lock);
        if (reader.linkState != 1) {
            return false;
        }
        if (settledAt_ == 0) {
            settledAt_ = GetTickCount64() + 200;  // the read loop's open
        }
        return GetTickCount64() >= settledAt_;
    }
    long long send(const std::array<std::uint8_t, 4>& report) override {
        const long long now = pensim::nowMicroseconds();
        pen_.inject({report});
        return now;
    }
    bool plugged() const { return pen_.plugged(); }

  private:
    virtualpen::VirtualPen pen_;
    bool claimed_ = false;
    ULONGLONG settledAt_ = 0;
};

}  // namespace
}  // namespace zelko::bench

int wmain(int argc, wchar_t** argv) {
    using namespace zelko::bench;
    const int scans = argc > 1 ? std::max(1, _wtoi(argv[1])) : 1000;
    const int idleSeconds = argc > 2 ? std::max(1, _wtoi(argv[2])) : 10;
    const bool rowOnly = argc > 3 && std::wstring(argv[3]) == L"--row-only";
    if (!rowOnly) {
        printHeader(scans, idleSeconds);
    }
    if (!zelko::virtualpen::virtualPenBusAvailable()) {
        std::printf("%-34s (the virtual pen drivers do not run in this Wine prefix)\n", kRowName);
        return 1;
    }
    HWND window = createBenchWindow();
    VirtualBenchPen pen;
    printRow(kRowName, runVariant(false, window, pen, scans, idleSeconds));
    DestroyWindow(window);
    return 0;
}
