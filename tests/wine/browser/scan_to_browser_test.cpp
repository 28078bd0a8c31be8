// End to end: the test build of the resident program reads scans from a simulated pen and opens
// them in the fake browser, registered as the default browser.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "support/fake_browser_bench.h"
#include "pensim/simulated_pen.h"
#include "support/message_box.h"
#include "support/resident_program.h"
#include "support/wait.h"

namespace zelko::test {
namespace {

using Strings = std::vector<std::string>;

constexpr int kUsable = 0;

class ScanToBrowser : public ::testing::Test {
  protected:
    // Starts the program with this output mode (no sound, no notification) and a pen it reads.
    void startProgram(OutputMode mode) {
        program.emplace(Build::Test, L"browser-program");
        program->writeSettings(quietSettings(mode));
        pen.emplace(L"browser-pen");
        ASSERT_TRUE(program->start());
        ASSERT_TRUE(waitUntil(
            [&] {
                return program->lastTrayState() == kUsable && pen->openHandleCount(50ms) == 1 &&
                       pen->openHandleCount() == 1;
            },
            5s));
    }

    // Types a scan; returns the time of its last report.
    long long scan(const std::string& text) {
        long long lastReport = 0;
        EXPECT_TRUE(pen->typeScan(text, {}, &lastReport)) << text;
        return lastReport;
    }

    // The dispatch's own record of what it did, as "action address".
    Strings browserActions() const {
        Strings actions;
        for (const auto& event : program->events()) {
            if (event.name == "browser") {
                actions.push_back(event.fields);
            }
        }
        return actions;
    }

    void bringToFront(HWND window) {
        SetForegroundWindow(window);
        ASSERT_TRUE(waitUntil([&] { return GetForegroundWindow() == window; }, 2s));
    }

    // Members end in reverse order: the program first, then the pen, then the browsers and the
    // registration.
    FakeBrowserBench bench{L"browser-scan"};
    std::optional<pensim::SimulatedPen> pen;
    std::optional<ResidentProgram> program;
};

TEST_F(ScanToBrowser, LaunchStartsTheBrowserWithExactlyTheAddress) {
    bench.installAsDefault(L"chrome.exe");
    startProgram(LaunchBrowser);
    scan("host/abc/123");
    ASSERT_TRUE(bench.waitForStarts(1, 10s));
    const auto starts = bench.starts();
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].arguments, Strings{"http://host/abc/123"});
    EXPECT_EQ(browserActions(), Strings{"launch http://host/abc/123"});
}

TEST_F(ScanToBrowser, HostileScansNeverBecomeBrowserArguments) {
    bench.installAsDefault(L"chrome.exe");
    startProgram(LaunchBrowser);
    const Strings hostile = {"host/pen/x\" --inject \"y", "host/pen/a\tb c", "host/pen/\"\"\"\""};
    const Strings expected = {"http://host/pen/x%22%20--inject%20%22y", "http://host/pen/a%09b%20c",
                              "http://host/pen/%22%22%22%22"};
    for (std::size_t i = 0; i < hostile.size(); ++i) {
        scan(hostile[i]);
        ASSERT_TRUE(bench.waitForStarts(i + 1, 10s)) << hostile[i];
    }
    const auto starts = bench.starts();
    ASSERT_EQ(starts.size(), hostile.size());
    for (std::size_t i = 0; i < hostile.size(); ++i) {
        EXPECT_EQ(starts[i].arguments, Strings{expected[i]}) << hostile[i];
    }
}

TEST_F(ScanToBrowser, UnusableScansDoNothing) {
    bench.installAsDefault(L"chrome.exe");
    startProgram(LaunchBrowser);
    // Each scan is typed once the program has taken the one before, so that each is the newest
    // scan when its own event is handled, however slow the machine.
    for (const std::string text : {"host/abc", "host/abc/123/4", "host", "host/abc/ok"}) {
        scan(text);
        ASSERT_TRUE(program->waitForEvent(
            [&](const ProgramEvent& event) {
                return event.name == "pen-event" && event.fields == "0 " + text;
            },
            5s))
            << text;
    }
    ASSERT_TRUE(bench.waitForStarts(1, 10s));
    EXPECT_EQ(browserActions(), Strings{"launch http://host/abc/ok"});
    ASSERT_EQ(bench.starts().size(), 1u);
    EXPECT_EQ(bench.starts()[0].arguments, Strings{"http://host/abc/ok"});
    EXPECT_EQ(countMessageBoxes(L"エラー"), 0);
}

struct RunningBrowserCase {
    const char* name;
    std::wstring executable;
    std::vector<std::wstring> options;
    const char* chord;
    std::string scan;
    std::string address;
};

void PrintTo(const RunningBrowserCase& c, std::ostream* os) {
    *os << c.name;
}

class ScanIntoRunningBrowser : public ScanToBrowser,
                               public ::testing::WithParamInterface<RunningBrowserCase> {};

TEST_P(ScanIntoRunningBrowser, CommitsTheAddressWithoutANewProcess) {
    const RunningBrowserCase& c = GetParam();
    bench.installAsDefault(c.executable);
    auto id = bench.startWindows(c.executable, c.options);
    ASSERT_TRUE(id);
    const HWND window = bench.windowsOf(*id).at(0);
    startProgram(SetAddressBar);

    scan(c.scan);
    ASSERT_TRUE(bench.waitForCommits(1, 10s));
    EXPECT_EQ(bench.commits(*id), Strings{c.address});
    EXPECT_EQ(bench.chords(*id), Strings(3, c.chord));
    EXPECT_FALSE(IsIconic(window));
    EXPECT_EQ(bench.starts().size(), 1u) << "no new browser process";
    ASSERT_TRUE(program->waitForEvent(
        [](const ProgramEvent& event) { return event.name == "browser"; }, 2s));
    EXPECT_EQ(browserActions(), Strings{"address-bar " + c.address});
}

INSTANTIATE_TEST_SUITE_P(
    Browsers, ScanIntoRunningBrowser,
    ::testing::Values(
        RunningBrowserCase{
            "Chrome", L"chrome.exe", {}, "alt-d", "host/abc/123", "http://host/abc/123"},
        RunningBrowserCase{"ChromeMinimised",
                           L"chrome.exe",
                           {L"--fake-minimized"},
                           "alt-d",
                           "host/abc/123",
                           "http://host/abc/123"},
        RunningBrowserCase{
            "OperaCtrlL", L"opera.exe", {}, "ctrl-l", "host/abc/123", "http://host/abc/123"},
        RunningBrowserCase{"FirefoxBesideItsDownloadManager",
                           L"firefox.exe",
                           {L"--fake-window=MozillaUIWindowClass|ダウンロードマネージャ",
                            L"--fake-window=MozillaUIWindowClass|Page"},
                           "alt-d",
                           "host/abc/123",
                           "http://host/abc/123"},
        RunningBrowserCase{"HostileScan",
                           L"chrome.exe",
                           {},
                           "alt-d",
                           "host/pen/x\" --inject \"y",
                           "http://host/pen/x%22%20--inject%20%22y"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScanToBrowser, FirefoxDownloadManagerAloneIsNoTarget) {
    bench.installAsDefault(L"firefox.exe");
    ASSERT_TRUE(bench.startWindows(L"firefox.exe",
                                   {L"--fake-window=MozillaUIWindowClass|ダウンロードマネージャ"}));
    startProgram(SetAddressBar);
    scan("host/abc/123");
    ASSERT_TRUE(bench.waitForStarts(2, 10s));
    EXPECT_EQ(bench.starts()[1].arguments, Strings{"http://host/abc/123"});
    EXPECT_TRUE(bench.commits().empty());
}

TEST_F(ScanToBrowser, UnknownDefaultBrowserOrNoWindowFallsBackToAStart) {
    // An unrecognised default browser, though a window of it is open.
    {
        bench.installAsDefault(L"otherbrowser.exe");
        ASSERT_TRUE(bench.startWindows(L"otherbrowser.exe", {}));
        startProgram(SetAddressBar);
        scan("host/abc/123");
        ASSERT_TRUE(bench.waitForStarts(2, 10s));
        EXPECT_EQ(bench.starts()[1].arguments, Strings{"http://host/abc/123"});
    }
    // A recognised one with no window open.
    DefaultBrowserRegistration chrome(browserCommandFor(bench.install(L"chrome.exe")));
    scan("host/abc/456");
    ASSERT_TRUE(bench.waitForStarts(3, 10s));
    EXPECT_EQ(bench.starts()[2].executable, "chrome.exe");
    EXPECT_EQ(bench.starts()[2].arguments, Strings{"http://host/abc/456"});
    EXPECT_TRUE(bench.commits().empty());
    EXPECT_EQ(browserActions(),
              (Strings{"launch http://host/abc/123", "launch http://host/abc/456"}));
}

// A browser window that cannot be brought to the front gets no key, and neither does the window
// that stays in front: the scan opens through a start of the browser instead.
struct UnreachableBrowserCase {
    const char* name;
    std::vector<std::wstring> options;
};

void PrintTo(const UnreachableBrowserCase& c, std::ostream* os) {
    *os << c.name;
}

class UnreachableBrowser : public ScanToBrowser,
                           public ::testing::WithParamInterface<UnreachableBrowserCase> {};

TEST_P(UnreachableBrowser, NoKeyGoesAnywhereAndTheBrowserIsStarted) {
    bench.installAsDefault(L"chrome.exe");
    bench.install(L"otherbrowser.exe");
    const auto chrome = bench.startWindows(L"chrome.exe", GetParam().options);
    const auto other = bench.startWindows(L"otherbrowser.exe", {L"--fake-log-keys"});
    ASSERT_TRUE(chrome && other);
    startProgram(SetAddressBar);
    bringToFront(bench.windowsOf(*other).at(0));

    scan("host/abc/123");
    ASSERT_TRUE(bench.waitForStarts(3, 10s));
    const auto starts = bench.starts();
    EXPECT_EQ(starts[2].executable, "chrome.exe");
    EXPECT_EQ(starts[2].arguments, Strings{"http://host/abc/123"});
    ASSERT_TRUE(program->waitForEvent(
        [](const ProgramEvent& event) { return event.name == "browser"; }, 2s));
    EXPECT_EQ(browserActions(), Strings{"launch http://host/abc/123"});
    // Keys sent by mistake would have arrived by now: the start came after the last of them.
    Sleep(300);
    const auto events = bench.events();
    EXPECT_TRUE(eventsNamed(events, "key").empty()) << "a key reached the window in front";
    EXPECT_TRUE(eventsNamed(events, "char").empty()) << "a character reached the window in front";
    EXPECT_TRUE(bench.chords().empty());
    EXPECT_TRUE(bench.commits().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Browsers, UnreachableBrowser,
    ::testing::Values(UnreachableBrowserCase{"RefusesTheForeground", {L"--fake-refuse-activation"}},
                      UnreachableBrowserCase{"OnlyHiddenWindows", {L"--fake-hidden"}}),
    [](const auto& info) { return std::string(info.param.name); });

// A browser whose window does not answer counts as no browser: the program is not held up by it,
// and the next scan is handled as well.
TEST_F(ScanToBrowser, HungBrowserDoesNotStopTheNextScan) {
    bench.installAsDefault(L"chrome.exe");
    const auto hung = bench.startWindows(L"chrome.exe", {L"--fake-hang=30000"});
    ASSERT_TRUE(hung);
    startProgram(SetAddressBar);

    scan("host/abc/1");
    ASSERT_TRUE(bench.waitForStarts(2, 10s));
    EXPECT_EQ(bench.starts()[1].arguments, Strings{"http://host/abc/1"});

    // The second scan goes to the browser just started, or starts another one.
    scan("host/abc/2");
    ASSERT_TRUE(waitUntil(
        [&] {
            const auto starts = bench.starts();
            const auto commits = bench.commits();
            return (starts.size() == 3 && starts[2].arguments == Strings{"http://host/abc/2"}) ||
                   commits == Strings{"http://host/abc/2"};
        },
        10s))
        << "the second scan was not handled";
    // A delivery is recorded once its last pause is over, after the browser has committed.
    ASSERT_TRUE(waitUntil([&] { return browserActions().size() >= 2; }, 5s));
    const Strings actions = browserActions();
    ASSERT_EQ(actions.size(), 2u);
    EXPECT_EQ(actions[0], "launch http://host/abc/1");
    EXPECT_TRUE(actions[1] == "launch http://host/abc/2" ||
                actions[1] == "address-bar http://host/abc/2")
        << actions[1];
    EXPECT_TRUE(program->close().has_value()) << "the program no longer answers";
}

class FailedStart : public ScanToBrowser, public ::testing::WithParamInterface<OutputMode> {};

TEST_P(FailedStart, ShowsOneMessageBoxAndANestedDispatchDoesNotBlock) {
    DefaultBrowserRegistration missing(browserCommandFor(bench.folder() + L"\\missing.exe"));
    startProgram(GetParam());
    // The user works in another window; the box must not stay hidden behind it.
    bench.install(L"otherbrowser.exe");
    const auto other = bench.startWindows(L"otherbrowser.exe", {});
    ASSERT_TRUE(other);
    bringToFront(bench.windowsOf(*other).at(0));
    scan("host/abc/123");
    HWND box = waitForMessageBox(L"エラー", 10s);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(messageBoxText(box), L"ブラウザを起動できませんでした");
    EXPECT_TRUE(waitUntil([&] { return GetForegroundWindow() == box; }, 2s))
        << "the box is not in front";
    // Still one box once the dispatch has had time to show a second one by mistake.
    ASSERT_TRUE(program->waitForEvent(
        [](const ProgramEvent& event) { return event.name == "browser"; }, 2s));
    EXPECT_EQ(countMessageBoxes(L"エラー"), 1);
    EXPECT_EQ(browserActions(), Strings{"launch-failed http://host/abc/123"});

    // While the box is open (settingsLock held), the next scan is dispatched inside its modal
    // loop and enters the lock again on the same thread.
    scan("host/abc/456");
    ASSERT_TRUE(waitUntil([&] { return countMessageBoxes(L"エラー") == 2; }, 10s));
    EXPECT_EQ(browserActions(),
              (Strings{"launch-failed http://host/abc/123", "launch-failed http://host/abc/456"}));
    while (HWND open = waitForMessageBox(L"エラー", 1s)) {
        ASSERT_TRUE(clickMessageBoxButton(open));
    }
    // The lock has been let go: the program still acts and closes cleanly.
    bench.installAsDefault(L"chrome.exe");
    scan("host/abc/789");
    ASSERT_TRUE(bench.waitForStarts(2, 10s));  // the window in front, then the browser
    EXPECT_EQ(bench.starts()[1].executable, "chrome.exe");
    EXPECT_EQ(bench.starts()[1].arguments, Strings{"http://host/abc/789"});
    EXPECT_TRUE(program->close());
}

INSTANTIATE_TEST_SUITE_P(Modes, FailedStart, ::testing::Values(LaunchBrowser, SetAddressBar),
                         [](const auto& info) {
                             return std::string(info.param == LaunchBrowser ? "LaunchBrowser"
                                                                            : "SetAddressBar");
                         });

// Figures, not assertions: from the pen's last report to the browser's start (LaunchBrowser) and
// to the committed address (SetAddressBar), for a window already in front and for one that is not.
TEST_F(ScanToBrowser, MeasureScanToBrowserTimes) {
    constexpr int kRounds = 3;
    bench.installAsDefault(L"chrome.exe");
    bench.install(L"otherbrowser.exe");
    auto print = [](const char* what, const std::vector<long long>& micros) {
        std::printf("[ measure  ] %-40s", what);
        for (long long value : micros) {
            std::printf(" %7.1f ms", value / 1000.0);
        }
        std::printf("\n");
    };

    startProgram(LaunchBrowser);
    std::vector<long long> launches;
    for (int round = 0; round < kRounds; ++round) {
        const long long lastReport = scan("host/abc/" + std::to_string(round));
        ASSERT_TRUE(bench.waitForStarts(round + 1, 10s));
        launches.push_back(bench.starts()[round].microseconds - lastReport);
    }
    print("launch: last report -> browser start", launches);
    program.reset();
    // Otherwise the first of these would be the window that receives the addresses.
    bench.endBrowsers();

    auto chrome = bench.startWindows(L"chrome.exe", {});
    auto other = bench.startWindows(L"otherbrowser.exe", {});
    ASSERT_TRUE(chrome && other);
    const HWND chromeWindow = bench.windowsOf(*chrome).at(0);
    const HWND otherWindow = bench.windowsOf(*other).at(0);
    startProgram(SetAddressBar);
    std::vector<long long> inFront, behind;
    for (int round = 0; round < 2 * kRounds; ++round) {
        const bool front = round % 2 == 0;
        bringToFront(front ? chromeWindow : otherWindow);
        const long long lastReport = scan("host/pen/" + std::to_string(round));
        ASSERT_TRUE(bench.waitForCommits(round + 1, 10s));
        const auto commits = eventsNamed(bench.events(), "commit");
        EXPECT_EQ(commits.back().processId, *chrome);
        (front ? inFront : behind).push_back(commits.back().microseconds - lastReport);
    }
    print("address bar, window in front", inFront);
    print("address bar, window behind another", behind);
}

}  // namespace
}  // namespace zelko::test
