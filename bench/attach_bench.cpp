// Attach benchmark: the time from a simulated pen's arrival to the pen being claimed (its announce
// report) and to the usable tray icon, for the test build of the resident program started from
// this program's folder. The rounds wait different times before each arrival, so that they fall
// at different points of the reader's wait. Prints figures and asserts nothing.
// Usage: zelko_attach_bench.exe [rounds (default 8)]

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "pensim/simulated_pen.h"
#include "support/resident_program.h"
#include "support/wait.h"

namespace zelko::bench {
namespace {

using namespace std::chrono_literals;
using test::ProgramEvent;
using test::ResidentProgram;

constexpr int kUsable = 0;
constexpr int kNotAttached = 2;

// The time of the first "tray-state <state>" event at or after `since`.
std::optional<long long> trayStateShownSince(const ResidentProgram& program, int state,
                                             long long since) {
    for (const ProgramEvent& event : program.events()) {
        if (event.name == "tray-state" && event.microseconds >= since &&
            std::stoi(event.fields) == state) {
            return event.microseconds;
        }
    }
    return std::nullopt;
}

std::optional<long long> firstOutputSince(const pensim::SimulatedPen& pen, long long since) {
    for (const auto& report : pen.outputReports()) {
        if (report.microseconds >= since) {
            return report.microseconds;
        }
    }
    return std::nullopt;
}

double median(std::vector<double> values) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace
}  // namespace zelko::bench

int wmain(int argc, wchar_t** argv) {
    using namespace zelko;
    using namespace zelko::bench;
    const int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 8;

    ResidentProgram program(test::Build::Test, L"attach-bench");
    Settings settings;
    settings.playSound = 0;
    settings.showDialog = 0;
    program.writeSettings(settings);
    pensim::SimulatedPen pen(L"attach-bench", pensim::PenIdentity{}, false);
    if (!program.start() ||
        !test::waitUntil([&] { return program.lastTrayState() == kNotAttached; }, 10s)) {
        std::printf("the test build did not start\n");
        return 1;
    }

    std::printf(
        "attach benchmark: %d rounds, pen arrival -> claim (announce report) and -> usable "
        "icon\n",
        rounds);
    std::printf("%6s %10s %12s %12s\n", "round", "idle ms", "claim ms", "icon ms");
    std::vector<double> claims, icons;
    for (int round = 0; round < rounds; ++round) {
        const DWORD idle = 700 + static_cast<DWORD>(round) * 311 % 2000;
        Sleep(idle);
        const long long arrival = pensim::nowMicroseconds();
        pen.plugIn();
        std::optional<long long> claimed, usable;
        test::waitUntil(
            [&] {
                claimed = firstOutputSince(pen, arrival);
                usable = trayStateShownSince(program, kUsable, arrival);
                return claimed && usable;
            },
            10s, 1ms);
        if (!claimed || !usable) {
            std::printf("%6d %10lu  the pen was not claimed within 10 s\n", round, idle);
        } else {
            claims.push_back((*claimed - arrival) / 1000.0);
            icons.push_back((*usable - arrival) / 1000.0);
            std::printf("%6d %10lu %12.1f %12.1f\n", round, idle, claims.back(), icons.back());
        }
        std::fflush(stdout);
        const long long removal = pensim::nowMicroseconds();
        pen.unplug();
        test::waitUntil(
            [&] { return trayStateShownSince(program, kNotAttached, removal).has_value(); }, 10s);
    }
    std::printf("median %17.1f %12.1f\n", median(claims), median(icons));
    return 0;
}
