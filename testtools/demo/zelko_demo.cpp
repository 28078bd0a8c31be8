// The demo: what the resident program does, shown under Wine with a simulated pen and the fake
// browser standing in for the user's default browser. Run by scripts/run-demo.

#include <windows.h>

#include <cstdio>
#include <string>

#include "demo_update.h"
#include "demo_autologin.h"
#include "demo_install.h"
#include "pensim/simulated_pen.h"
#include "support/fake_browser_bench.h"
#include "support/message_box.h"
#include "support/resident_program.h"
#include "support/wait.h"
#include "log/utf8_text.h"

using namespace zelko;
using namespace zelko::test;

namespace {

void say(const char* format, const std::string& detail = {}) {
    std::printf(format, detail.c_str());
    std::printf("\n");
    std::fflush(stdout);
}

bool showStartAndSingleInstance() {
    say("1. ZelkoInput.exe (the shipped program) starts and puts its icon in the notification "
        "area.");
    ResidentProgram program(Build::Shipped, L"demo-shipped");
    if (!program.start()) {
        say("   it did not start");
        return false;
    }
    say("   tray window \"%s\" is up (hidden, class ZelkaInputTrayWindow...)",
        testlog::utf8Of(windowText(program.trayWindow())));

    say("2. A second start in the same session is refused:");
    ChildProcess second = program.startAnother();
    HWND box = waitForMessageBox(L"ゼルコペンミドルウェア", 15s);
    if (!box) {
        say("   no message box appeared");
        return false;
    }
    say("   message box \"%s\" / \"ゼルコペンミドルウェア\"; the demo clicks OK",
        testlog::utf8Of(messageBoxText(box)));
    clickMessageBoxButton(box);
    auto secondExit = second.waitForExit(10s);
    say("   the second process ended with exit code %s; the first keeps running",
        secondExit ? std::to_string(*secondExit) : "(none)");

    say("3. The installer's close request (WM_USER+2) ends it cleanly:");
    auto exitCode = program.close(10s);
    say("   exit code %s", exitCode ? std::to_string(*exitCode) : "(did not end)");
    return exitCode && *exitCode == 0;
}

const char kScan[] = "demo.zelko.jp/PEN0042/4901234567894";

bool showScanStartingTheBrowser() {
    const char* scan = kScan;
    say("4. The test build ZelkoInputTest.exe (the same program, reading simulated pens) with a");
    say("   pen attached and the fake browser registered as the default browser:");
    FakeBrowserBench browser(L"demo-browser");
    browser.installAsDefault(L"chrome.exe");
    pensim::SimulatedPen pen(L"demo");

    Settings settings;
    settings.outputMode = LaunchBrowser;
    ResidentProgram program(Build::Test, L"demo-test-build");
    program.writeSettings(settings);
    if (!program.start() || !program.waitForTrayState(0, 10s)) {
        say("   the pen was not claimed");
        return false;
    }
    say("   tray icon: \"ZELKO：使用可能\" (pen usable)");

    say("   the pen scans \"%s\" (output mode: start the browser)", scan);
    long long lastReport = 0;
    pen.typeScan(scan, {}, &lastReport);
    if (!browser.waitForStarts(1, 10s)) {
        say("   the browser was not started");
        return false;
    }
    FakeBrowserStart start = browser.starts().front();
    std::string arguments;
    for (const auto& argument : start.arguments) {
        arguments += " [" + argument + "]";
    }
    say("   the default browser was started with the argument(s):%s", arguments);
    say("   %s ms from the pen's last report to the browser's start",
        std::to_string((start.microseconds - lastReport) / 1000));
    program.close();
    return true;
}

bool showScanTypedIntoTheBrowser() {
    const char* scan = kScan;
    say("5. Output mode \"type into a running browser\": a chrome window is open.");
    FakeBrowserBench browser(L"demo-browser-typing");
    browser.installAsDefault(L"chrome.exe");
    pensim::SimulatedPen pen(L"demo");
    Settings settings;
    settings.outputMode = SetAddressBar;
    long long lastReport = 0;
    ResidentProgram typing(Build::Test, L"demo-test-build-typing");
    typing.writeSettings(settings);
    auto browserProcess = browser.startWindows(L"chrome.exe", {});
    if (!typing.start() || !typing.waitForTrayState(0, 10s) || !browserProcess) {
        say("   could not set up the running browser");
        return false;
    }
    pen.typeScan(scan, {}, &lastReport);
    if (!browser.waitForCommits(1, 10s)) {
        say("   nothing was typed into the browser");
        return false;
    }
    auto events = eventsNamed(browser.events(), "commit");
    auto commits = browser.commits(*browserProcess);
    if (commits.empty() || events.empty()) {
        say("   the address went to another window");
        return false;
    }
    say("   the address bar received and committed \"%s\"", commits.front());
    say("   %s ms from the pen's last report to the committed address",
        std::to_string((events.front().microseconds - lastReport) / 1000));
    say("   browser processes started: %s (the window the demo opened; none for the address)",
        std::to_string(browser.starts().size()));
    typing.close();
    return true;
}

}  // namespace

int main() {
    bool ok = showStartAndSingleInstance();
    ok = showScanStartingTheBrowser() && ok;
    ok = showScanTypedIntoTheBrowser() && ok;
    ok = zelko::demo::showUpdateCheck() && ok;
    ok = showAutoLoginRoundTrip() && ok;
    ok = demo::showInstallAndUninstall() && ok;
    say(ok ? "The demo ran as expected." : "The demo did not run as expected.");
    return ok ? 0 : 1;
}
