// End to end: scans typed back to back, faster than the resident program opens them (a browser
// start, or a delivery into the address bar that takes about half a second), each open exactly
// once and in the order scanned.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "pensim/simulated_pen.h"
#include "support/fake_browser_bench.h"
#include "support/opened_addresses.h"
#include "support/pen_reading.h"
#include "support/resident_program.h"
#include "support/wait.h"

namespace zelko::test {
namespace {

using Strings = std::vector<std::string>;

class ScanOrder : public ::testing::TestWithParam<OutputMode> {
  protected:
    void SetUp() override {
        bench.installAsDefault(L"chrome.exe");
        if (GetParam() == SetAddressBar) {
            browser = bench.startWindows(L"chrome.exe", {});  // the window that takes the addresses
            ASSERT_TRUE(browser);
        }
        program.emplace(Build::Test, L"scan-order-program");
        program->writeSettings(quietSettings(GetParam()));
        pen.emplace(L"scan-order-pen");
        ASSERT_TRUE(program->start());
        ASSERT_TRUE(waitUntilReadingPen(*program, *pen));
    }

    // Types the codes one right after the other; returns their addresses.
    Strings scanBackToBack(int from, int to) {
        Strings addresses;
        for (int number = from; number <= to; ++number) {
            const std::string code = "host/pen/" + std::to_string(number);
            EXPECT_TRUE(pen->typeScan(code)) << code;
            addresses.push_back("http://" + code);
        }
        return addresses;
    }

    // The addresses the fake browser was asked to open, in the order its log shows them; the
    // browser the test started itself, with no address, is left out.
    Strings opened() const {
        Strings addresses;
        for (const OpenedAddress& address : openedAddresses(bench)) {
            if (!address.address.empty()) {
                addresses.push_back(address.address);
            }
        }
        return addresses;
    }

    // The dispatch's own record, in the order it acted: the address of each action.
    Strings actedOn() const {
        Strings addresses;
        for (const ProgramEvent& event : program->events()) {
            if (event.name == "browser") {
                addresses.push_back(event.fields.substr(event.fields.find(' ') + 1));
            }
        }
        return addresses;
    }

    int scanEventsTaken() const {
        const auto events = program->events();
        return static_cast<int>(std::count_if(events.begin(), events.end(), [](const auto& event) {
            return event.name == "pen-event" && event.fields.rfind("0 ", 0) == 0;
        }));
    }

    // Waits until the program has taken the pen events of `scans` scans and has come back to its
    // message loop from the last of them: whatever it was going to open, it has opened.
    void waitUntilSettled(int scans) {
        ASSERT_TRUE(waitUntil([&] { return scanEventsTaken() >= scans; }, 20s));
        DWORD_PTR ignored = 0;
        // A sent message is taken only between posted messages, so the answer comes after the
        // handler of the last pen event has returned.
        ASSERT_NE(
            SendMessageTimeoutW(program->trayWindow(), WM_NULL, 0, 0, SMTO_NORMAL, 20000, &ignored),
            0);
    }

    void expectEachOpenedOnceInOrder(const Strings& expected) {
        ASSERT_TRUE(waitUntil([&] { return actedOn().size() >= expected.size(); }, 20s))
            << actedOn().size();
        waitUntilSettled(static_cast<int>(expected.size()));
        EXPECT_EQ(actedOn(), expected);
        const std::string action = GetParam() == LaunchBrowser ? "launch" : "address-bar";
        for (const ProgramEvent& event : program->events()) {
            if (event.name == "browser") {
                EXPECT_EQ(event.fields.substr(0, event.fields.find(' ')), action) << event.fields;
            }
        }
        ASSERT_TRUE(waitUntil([&] { return opened().size() >= expected.size(); }, 20s))
            << opened().size();
        if (GetParam() == SetAddressBar) {
            // One browser takes the addresses one after the other: its log has their order.
            EXPECT_EQ(opened(), expected);
            EXPECT_EQ(bench.commits(*browser), expected);
            EXPECT_EQ(bench.starts().size(), 1u) << "no new browser process";
        } else {
            // Each start is a process of its own, and processes started a few milliseconds apart
            // may write their log lines in either order: the log shows each address once, the
            // program's record above shows the order.
            Strings sorted = opened();
            Strings sortedExpected = expected;
            std::sort(sorted.begin(), sorted.end());
            std::sort(sortedExpected.begin(), sortedExpected.end());
            EXPECT_EQ(sorted, sortedExpected);
        }
    }

    // Members end in reverse order: the program first, then the pen, then the browsers.
    FakeBrowserBench bench{L"scan-order"};
    std::optional<DWORD> browser;
    std::optional<pensim::SimulatedPen> pen;
    std::optional<ResidentProgram> program;
};

TEST_P(ScanOrder, ScansTypedBackToBackOpenEachOnceInOrder) {
    Strings expected = scanBackToBack(1, 3);
    expectEachOpenedOnceInOrder(expected);

    const Strings ten = scanBackToBack(4, 13);
    expected.insert(expected.end(), ten.begin(), ten.end());
    expectEachOpenedOnceInOrder(expected);
}

INSTANTIATE_TEST_SUITE_P(Modes, ScanOrder, ::testing::Values(LaunchBrowser, SetAddressBar),
                         [](const auto& info) {
                             return std::string(info.param == LaunchBrowser ? "LaunchBrowser"
                                                                            : "SetAddressBar");
                         });

// A pen that keeps typing faster than the address bar takes the addresses (about ten scans a
// second; a delivery takes about half a second): the installer's close request, posted behind the
// pen events of the scans still waiting, is handled after the delivery under way, not once the
// stream has stopped.
class ScanStream : public ScanOrder {};

TEST_P(ScanStream, CloseRequestIsHandledWhileScansKeepComing) {
    std::atomic<bool> typing{true};
    std::atomic<int> typed{0};
    std::thread stream([&] {
        for (int number = 1; typing.load() && number <= 600; ++number) {
            pen->typeScan("host/stream/" + std::to_string(number));
            ++typed;
            Sleep(100);  // the pace of the stream
        }
    });
    const bool fellBehind = waitUntil([&] { return typed.load() >= 30; }, 20s);
    const ULONGLONG asked = GetTickCount64();
    const std::optional<DWORD> exitCode = fellBehind ? program->close(10s) : std::nullopt;
    const ULONGLONG took = GetTickCount64() - asked;
    const int typedBeforeTheEnd = typed.load();
    typing = false;
    stream.join();
    ASSERT_TRUE(fellBehind);
    ASSERT_TRUE(exitCode) << "the program did not end while the scans kept coming";
    EXPECT_EQ(*exitCode, 0u);
    std::printf(
        "[ figures  ] close request to the end during a stream of scans: %llu ms (%d typed)\n",
        took, typedBeforeTheEnd);
    EXPECT_LT(took, 3000u);
}

INSTANTIATE_TEST_SUITE_P(AddressBar, ScanStream, ::testing::Values(SetAddressBar),
                         [](const auto&) { return std::string("SetAddressBar"); });

}  // namespace
}  // namespace zelko::test
