#include "reader_latency.h"

#include <mmsystem.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "pen/win32/pen_discovery.h"
#include "pensim/scan_reports.h"
#include "pensim/simulated_pen.h"
#include "polling_read_loop.h"

namespace zelko::bench {
namespace {

struct Received {
    long long microseconds;
    std::string scan;
};

struct WindowState {
    PenReader* reader = nullptr;
    std::vector<Received> received;
};

LRESULT CALLBACK benchWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kPenEventMessage) {
        const long long now = pensim::nowMicroseconds();
        auto* state = reinterpret_cast<WindowState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (wParam == kPenScanReady && state != nullptr) {
            MutexLock guard(state->reader->lock);
            const std::string* newest = state->reader->scans.newest();
            state->received.push_back({now, newest ? *newest : std::string()});
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void pumpFor(DWORD milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&msg);
        }
        const ULONGLONG now = GetTickCount64();
        if (now >= end) {
            return;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
    }
}

template <class Condition>
bool pumpUntil(Condition condition, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (!condition()) {
        if (GetTickCount64() >= end) {
            return false;
        }
        pumpFor(5);
    }
    return true;
}

ULONGLONG threadCpu100ns(HANDLE thread) {
    FILETIME creation, exit, kernel, user;
    if (!GetThreadTimes(thread, &creation, &exit, &kernel, &user)) {
        return 0;
    }
    const auto value = [](FILETIME t) {
        return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return value(kernel) + value(user);
}

double percentile(std::vector<double> values, double fraction) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const std::size_t index =
        std::min(values.size() - 1, static_cast<std::size_t>(fraction * (values.size() - 1) + 0.5));
    return values[index];
}

// The reader of one variant: the shipped reader thread, or a thread that claims the pen and runs
// the polling loop.
class ReaderUnderTest {
  public:
    ReaderUnderTest(bool polling, HWND window) : polling_(polling) {
        reader_.targetWindow = window;
        if (!polling_) {
            startReader(reader_);
            thread_ = reader_.thread.get();
            return;
        }
        reader_.keepRunning = 1;
        std::atomic<bool> ready{false};
        pollingThread_ = std::thread([this, &ready] {
            DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(),
                            &duplicate_, 0, FALSE, DUPLICATE_SAME_ACCESS);
            SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
            ready = true;
            while (readerKeepsRunning(reader_)) {
                if (claimPen(reader_) == 1 && checkLink(reader_) == 1) {
                    runPollingReadLoop(reader_);
                }
                {
                    MutexLock guard(reader_.lock);
                    reader_.devicePath.clear();
                }
                Sleep(50);
            }
        });
        while (!ready) {
            Sleep(1);
        }
        thread_ = duplicate_;
    }
    ~ReaderUnderTest() {
        if (!polling_) {
            resetReader(reader_);
            return;
        }
        reader_.keepRunning = 0;
        SetEvent(reader_.stopEvent.get());
        pollingThread_.join();
        CloseHandle(duplicate_);
    }
    PenReader& reader() { return reader_; }
    HANDLE thread() const { return thread_; }

  private:
    bool polling_;
    PenReader reader_;
    std::thread pollingThread_;
    HANDLE duplicate_ = nullptr;
    HANDLE thread_ = nullptr;
};

}  // namespace

HWND createBenchWindow() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = benchWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"ZelkoPenBenchWindow";
    RegisterClassW(&windowClass);
    return CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           windowClass.hInstance, nullptr);
}

Figures runVariant(bool polling, HWND window, BenchPen& pen, int scans, int idleSeconds) {
    Figures figures;
    WindowState state;
    ReaderUnderTest under(polling, window);
    state.reader = &under.reader();
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
    if (!pumpUntil([&] { return pen.readBy(under.reader()); }, 10000)) {
        std::printf("  the reader did not claim the pen\n");
        return figures;
    }

    // Idle: the line is silent (one keep-alive every 3 s), the pen attached.
    const ULONGLONG cpuBefore = threadCpu100ns(under.thread());
    const long long idleStart = pensim::nowMicroseconds();
    pumpFor(static_cast<DWORD>(idleSeconds) * 1000);
    const double idleElapsedMs = (pensim::nowMicroseconds() - idleStart) / 1000.0;
    figures.idleCpuMs = (threadCpu100ns(under.thread()) - cpuBefore) / 10000.0;
    figures.idleCpuPercent = 100.0 * figures.idleCpuMs / idleElapsedMs;

    // Stream: scans back to back, one report every millisecond.
    std::vector<long long> lastReportWritten(static_cast<std::size_t>(scans));
    std::vector<std::string> texts;
    for (int i = 0; i < scans; ++i) {
        texts.push_back("bench.example/" + std::to_string(i % 10) + "/" + std::to_string(i));
    }
    std::atomic<bool> done{false};
    std::thread sender([&] {
        pensim::ScanTyping typing;
        typing.releaseReports = false;
        typing.gapMicroseconds = 1000;
        long long due = pensim::nowMicroseconds();
        for (int i = 0; i < scans; ++i) {
            auto reports = *pensim::scanReports(texts[static_cast<std::size_t>(i)], typing);
            for (const auto& report : reports) {
                due += 1000;
                pensim::waitUntilMicroseconds(due);
                lastReportWritten[static_cast<std::size_t>(i)] = pen.send(report.bytes);
            }
        }
        done = true;
    });
    pumpUntil([&] { return done.load(); }, 600000);
    sender.join();
    pumpUntil([&] { return static_cast<int>(state.received.size()) >= scans; }, 2000);
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);

    figures.sent = scans;
    figures.received = static_cast<int>(state.received.size());
    std::vector<double> latencies;
    std::size_t next = 0;
    for (const Received& received : state.received) {
        while (next < texts.size() && texts[next] != received.scan) {
            ++next;  // a scan that was not announced (lost)
        }
        if (next == texts.size()) {
            break;
        }
        latencies.push_back((received.microseconds - lastReportWritten[next]) / 1000.0);
        ++next;
    }
    figures.lost = scans - static_cast<int>(latencies.size());
    figures.p50 = percentile(latencies, 0.5);
    figures.p99 = percentile(latencies, 0.99);
    figures.max = latencies.empty() ? 0 : *std::max_element(latencies.begin(), latencies.end());
    return figures;
}

void printHeader(int scans, int idleSeconds) {
    std::printf("pen reader benchmark: %d scans at 1000 reports/s, %d s idle\n", scans,
                idleSeconds);
    std::printf("%-34s %9s %9s %9s %6s %12s %10s\n", "read loop", "p50 ms", "p99 ms", "max ms",
                "lost", "idle cpu ms", "idle cpu %");
    std::fflush(stdout);
}

void printRow(const char* name, const Figures& f) {
    std::printf("%-34s %9.3f %9.3f %9.3f %6d %12.1f %10.3f\n", name, f.p50, f.p99, f.max, f.lost,
                f.idleCpuMs, f.idleCpuPercent);
    std::fflush(stdout);
}

}  // namespace zelko::bench
