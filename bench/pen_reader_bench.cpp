// Reader benchmark: a simulated pen, the reader in this process, and a hidden window as the tray
// window. For the shipped read loop and, side by side, the 1 ms polling loop, it prints
//   - the time from the last report of a scan written by the pen to WM_PEN_EVENT in the window
//     (median, p99, max) over a stream of scans at 1000 reports per second, and the lost scans;
//   - the reader thread's CPU time over 10 s of idle line with the pen attached.
// A third row has the same figures for the shipped read loop with the shipped HID layer (SetupAPI,
// hid.dll, the HID class driver) over a virtual pen: zelko_virtual_pen_bench.exe, run from here.
// Usage: zelko_pen_bench.exe [scans (default 1000)] [idle seconds (default 10)]

#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "pensim/simulated_pen.h"
#include "reader_latency.h"

namespace zelko::bench {
namespace {

class SimulatedBenchPen : public BenchPen {
  public:
    explicit SimulatedBenchPen(const wchar_t* name) : pen_(name) {}
    bool readBy(PenReader&) override {
        return pen_.openHandleCount(std::chrono::milliseconds(100)) == 1;
    }
    long long send(const std::array<std::uint8_t, 4>& report) override {
        return pen_.sendReport(report);
    }

  private:
    pensim::SimulatedPen pen_;
};

// Runs the virtual pen benchmark beside this program and lets it print its row.
void runVirtualPenRow(int scans, int idleSeconds) {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return;
    }
    std::wstring command = path;
    command = command.substr(0, command.find_last_of(L'\\') + 1) + L"zelko_virtual_pen_bench.exe";
    command = L"\"" + command + L"\" " + std::to_wstring(scans) + L" " +
              std::to_wstring(idleSeconds) + L" --row-only";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &process)) {
        std::printf("%-34s (zelko_virtual_pen_bench.exe did not start, error %lu)\n",
                    "event wait, virtual pen", GetLastError());
        return;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

}  // namespace
}  // namespace zelko::bench

int wmain(int argc, wchar_t** argv) {
    using namespace zelko::bench;
    const int scans = argc > 1 ? std::max(1, _wtoi(argv[1])) : 1000;
    const int idleSeconds = argc > 2 ? std::max(1, _wtoi(argv[2])) : 10;
    // The old polling loop's 1 ms sleeps need a raised system timer resolution (the resident
    // program used to raise it for its whole run); the shipped loop waits on events and does not.
    timeBeginPeriod(1);
    HWND window = createBenchWindow();
    printHeader(scans, idleSeconds);
    for (bool polling : {false, true}) {
        SimulatedBenchPen pen(polling ? L"bench-polling" : L"bench-event");
        printRow(polling ? "1 ms polling (old), simulator" : "event wait (shipped), simulator",
                 runVariant(polling, window, pen, scans, idleSeconds));
    }
    DestroyWindow(window);
    timeEndPeriod(1);
    runVirtualPenRow(scans, idleSeconds);
    return 0;
}
