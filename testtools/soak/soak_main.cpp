// The soak: the resident program (test build) with a simulated pen and the fake browser as the
// default browser, a browser window open to take the addresses, and the pen typing scans for a
// set time. It prints the program's private bytes, handles, GDI and USER objects at the start, at
// each sample and at the end, with the scans typed, the pen events taken, the scans acted on and
// those that arrived, so that a leak or a lost scan shows. Run by scripts/soak.
//
//     ZelkoSoak.exe [minutes=60] [scans-per-second=10] [sample-minutes=5] [average=1]
//
// The pen types at scans-per-second, in bursts of one second with pauses between them so that
// `average` scans a second are typed in all. The program delivers about two addresses a second into
// the address bar (five steps, each followed by a 100 ms pause), so at an average of 1 it catches
// up after each burst, comes back to its message loop (painting, timers) and every scan should
// reach the browser. An average equal to scans-per-second types steadily: the program then cannot
// keep up, and scans that leave the list of the 16 newest before their turn are dropped, as
// designed.
//
// The settings are a user's defaults (address-bar delivery, the scan notification window and the
// sound on), with auto-login off as every start that finds a settings file has it.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "pensim/simulated_pen.h"
#include "soak/process_resources.h"
#include "soak/soak_codes.h"
#include "soak/soak_report.h"
#include "support/fake_browser_bench.h"
#include "support/opened_addresses.h"
#include "support/pen_reading.h"
#include "support/resident_program.h"
#include "support/wait.h"
#include "log/test_clock.h"

using namespace zelko;
using namespace zelko::test;
using zelko::testclock::nowMicroseconds;

namespace {

struct Options {
    double minutes = 60;
    double scansPerSecond = 10;
    double sampleMinutes = 5;
    double averageScansPerSecond = 1;
};

Options parseOptions(int argc, wchar_t** argv) {
    Options options;
    double* const values[] = {&options.minutes, &options.scansPerSecond, &options.sampleMinutes,
                              &options.averageScansPerSecond};
    for (int index = 1; index < argc && index <= 4; ++index) {
        const double value = _wtof(argv[index]);
        if (value > 0) {
            *values[index - 1] = value;
        }
    }
    if (options.averageScansPerSecond > options.scansPerSecond) {
        options.averageScansPerSecond = options.scansPerSecond;
    }
    return options;
}

void print(const std::string& text) {
    std::fputs(text.c_str(), stdout);
    std::fflush(stdout);
}

std::string number(double value, const char* format = "%.1f") {
    char buffer[64] = {};
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

class Soak {
  public:
    explicit Soak(const Options& options) : options_(options) {}

    bool setUp();
    void run();
    void settle();
    int finish();

  private:
    soak::ScanCounts scanCounts() const;
    std::vector<std::string> arrivedAddresses() const;
    void sample(const std::string& label);

    Options options_;
    // Ended in reverse order: the program, the pen, then the browsers.
    FakeBrowserBench bench_{L"soak-browser"};
    std::optional<DWORD> browser_;
    std::optional<pensim::SimulatedPen> pen_;
    std::optional<ResidentProgram> program_;

    long long startMicroseconds_ = 0;
    unsigned long typed_ = 0;
    std::vector<soak::SoakRow> rows_;
    soak::CountSources sources_;
};

bool Soak::setUp() {
    bench_.installAsDefault(L"chrome.exe");
    // The browser window must outlive the run (its default lifetime is a test's minute).
    const long lifetimeSeconds = static_cast<long>(options_.minutes * 60) + 900;
    browser_ = bench_.startWindows(L"chrome.exe",
                                   {L"--fake-lifetime=" + std::to_wstring(lifetimeSeconds)});
    if (!browser_) {
        print("soak: the fake browser window did not come up\n");
        return false;
    }
    program_.emplace(Build::Test, L"soak-program");
    program_->writeSettings(Settings{});
    pen_.emplace(L"soak-pen");
    if (!program_->start() || !waitUntilReadingPen(*program_, *pen_, 20s)) {
        print("soak: the resident program did not start reading the pen\n");
        return false;
    }
    print("soak: ZelkoInputTest.exe (process " + std::to_string(program_->process().id()) +
          ") reads the simulated pen; the fake chrome.exe (process " + std::to_string(*browser_) +
          ") takes the addresses\n");
    print("soak: " + number(options_.minutes) + " minutes, " + number(options_.scansPerSecond) +
          " scans a second" +
          (options_.averageScansPerSecond < options_.scansPerSecond
               ? " in one-second bursts, " + number(options_.averageScansPerSecond, "%.2f") +
                     " a second on average"
               : std::string()) +
          ", a sample every " + number(options_.sampleMinutes) + " minutes\n\n");
    startMicroseconds_ = nowMicroseconds();
    print(soak::tableHeader());
    sample("start");
    return true;
}

soak::ScanCounts Soak::scanCounts() const {
    soak::ScanCounts counts;
    counts.typed = typed_;
    for (const ProgramEvent& event : program_->events()) {
        if (event.name == "pen-event" && event.fields.rfind("0 ", 0) == 0) {
            ++counts.read;
        } else if (event.name == "browser") {
            ++counts.actedOn;
        }
    }
    counts.arrived = soak::checkArrivals(arrivedAddresses(), typed_).distinct;
    return counts;
}

std::vector<std::string> Soak::arrivedAddresses() const {
    std::vector<std::string> addresses;
    for (const OpenedAddress& opened : openedAddresses(bench_)) {
        // Not the window the soak opened itself, whose argument is an option.
        if (opened.address.rfind("http://", 0) == 0) {
            addresses.push_back(opened.address);
        }
    }
    return addresses;
}

void Soak::sample(const std::string& label) {
    soak::SoakRow row;
    row.minutes = static_cast<double>(nowMicroseconds() - startMicroseconds_) / 60e6;
    row.label = label;
    row.resources =
        soak::sampleResources(program_->process().handle(), program_->process().id(), &sources_);
    row.scans = scanCounts();
    rows_.push_back(row);
    print(soak::tableRow(row));
}

void Soak::run() {
    const long long interval = static_cast<long long>(1e6 / options_.scansPerSecond);
    const unsigned long burst =
        std::max(1UL, static_cast<unsigned long>(options_.scansPerSecond + 0.5));
    const long long cycle =
        static_cast<long long>(static_cast<double>(burst) / options_.averageScansPerSecond * 1e6);
    const long long sampleInterval = static_cast<long long>(options_.sampleMinutes * 60e6);
    const long long end = startMicroseconds_ + static_cast<long long>(options_.minutes * 60e6);
    long long burstStart = nowMicroseconds();
    long long due = burstStart;
    unsigned long inBurst = 0;
    long long nextSample = startMicroseconds_ + sampleInterval;
    while (due < end) {
        pensim::waitUntilMicroseconds(due);
        if (!pen_->typeScan(soak::scanCode(typed_))) {
            print("soak: the pen cannot type " + soak::scanCode(typed_) + "\n");
            return;
        }
        ++typed_;
        if (++inBurst == burst) {
            inBurst = 0;
            burstStart += cycle;
            due = burstStart;
        } else {
            due += interval;
        }
        const long long now = nowMicroseconds();
        // A machine too busy to keep the pace does not make up for it in a burst afterwards.
        if (now > due + 1000000) {
            burstStart += now - due;
            due = now;
        }
        if (now >= nextSample && nextSample < end) {
            sample(number(static_cast<double>(nextSample - startMicroseconds_) / 60e6, "%g min"));
            nextSample += sampleInterval;
        }
        if (!program_->process().running()) {
            print("soak: the resident program has ended\n");
            return;
        }
    }
}

// Waits until the program has taken every scan it read and the browser's log has stopped growing
// (at most two minutes): whatever it was going to open, it has opened.
void Soak::settle() {
    soak::ScanCounts last = scanCounts();
    long long unchangedSince = nowMicroseconds();
    waitUntil(
        [&] {
            const soak::ScanCounts now = scanCounts();
            if (now.read != last.read || now.actedOn != last.actedOn ||
                now.arrived != last.arrived) {
                last = now;
                unchangedSince = nowMicroseconds();
            }
            return nowMicroseconds() - unchangedSince > 5000000;
        },
        120s, 500ms);
}

int Soak::finish() {
    const double typingMinutes = static_cast<double>(nowMicroseconds() - startMicroseconds_) / 60e6;
    settle();
    sample("end");
    print("\nprivate bytes: " + sources_.privateBytes + "; handles: " + sources_.handles +
          "; GDI objects: " + sources_.gdi + "; USER objects: " + sources_.user + "\n");
    print(soak::resourceSummary(rows_));

    const soak::ScanCounts counts = rows_.back().scans;
    const soak::ArrivalCheck arrivals = soak::checkArrivals(arrivedAddresses(), typed_);
    unsigned long launched = 0;
    for (const ProgramEvent& event : program_->events()) {
        if (event.name == "browser" && event.fields.rfind("address-bar ", 0) != 0) {
            ++launched;
        }
    }
    print("\nscans typed " + std::to_string(counts.typed) + " (" +
          number(counts.typed / (typingMinutes * 60), "%.2f") + " a second)\n");
    print("pen events the tray window took " + std::to_string(counts.read) + ", scans acted on " +
          std::to_string(counts.actedOn) + " (" + std::to_string(launched) +
          " of them not through the address bar)\n");
    print("arrived in the browser " + std::to_string(arrivals.distinct) + ", lost " +
          std::to_string(counts.typed - arrivals.distinct) + "; arrived more than once " +
          std::to_string(arrivals.repeated) + ", out of order " +
          std::to_string(arrivals.outOfOrder) + ", unknown addresses " +
          std::to_string(arrivals.foreign) + "\n");
    print("of the lost: no pen event " +
          std::to_string(counts.typed - std::min(counts.typed, counts.read)) +
          ", not acted on (gone from the 16 newest scans before their turn) " +
          std::to_string(counts.read - std::min(counts.read, counts.actedOn)) +
          ", acted on but not arrived " +
          std::to_string(counts.actedOn - std::min(counts.actedOn, arrivals.distinct)) + "\n");

    const auto exitCode = program_->close(30s);
    print("the resident program " +
          (exitCode ? "ended with exit code " + std::to_string(*exitCode)
                    : std::string("did not end on the close request")) +
          "\n");
    return exitCode && *exitCode == 0 ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    Soak soak(parseOptions(argc, argv));
    if (!soak.setUp()) {
        return 2;
    }
    soak.run();
    return soak.finish();
}
