#pragma once
// The test build with auto-login mode on (no settings file), a simulated pen, the fake browser as
// the default browser and the reference web service scripted as the maker's service and a site.

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "pensim/simulated_pen.h"
#include "support/fake_browser_bench.h"
#include "support/login_window_driver.h"
#include "support/opened_addresses.h"
#include "support/reference_service.h"
#include "support/resident_program.h"

namespace zelko::test {

using Strings = std::vector<std::string>;

// A definition of four fields: text, password, next and hidden (the hidden one has the widest
// caption). Its title is "テスト商店".
extern const std::string kFourFieldDefinition;
extern const std::wstring kFourFieldTitle;
// The 64-character one-time identifier the scripted registration answers with.
extern const std::string kOid;

class AutoLoginTest : public ::testing::Test {
  protected:
    void SetUp() override;

    // Starts the program; with `settings`, a settings file is written first (which turns
    // auto-login mode off).
    void startProgram(const std::optional<Settings>& settings = std::nullopt);

    // "127.0.0.5:<port>/PEN1/<barcode>": a scan whose site is the service's site host.
    static std::string siteCode(const std::string& barcode, const std::string& pen = "PEN1",
                                const std::string& host = "127.0.0.5");
    // The site of the code answers 200; the service enables it with `definition` and registers
    // with `registration`.
    void scriptService(const std::string& code, const std::string& definition,
                       const std::vector<ServiceReply>& registration);

    // Types the scan; returns the time of its last report (microseconds of the tests' clock).
    long long scan(const std::string& code);

    // The events of the auto-login feature, as "<event> <detail>".
    Strings autoLoginEvents() const;
    bool waitForAutoLoginEvent(const std::string& event, std::chrono::milliseconds timeout) const;

    HWND waitForLoginWindow(std::chrono::milliseconds timeout = std::chrono::seconds(15));

    // Requests to the service's scripts (path under /autologin/), in order, as request targets.
    static Strings serviceTargets(const std::string& script);

    // Cancels the input and waits until the scan has been opened the ordinary way.
    void cancelAndWaitForTheOrdinaryOpening(HWND window);

    // Every address the browser got, in order: the argument of a browser start, or an address
    // committed in the address bar of a running browser (the default output mode).
    Strings openedAddresses() const;
    bool waitForOpened(std::size_t count,
                       std::chrono::milliseconds timeout = std::chrono::seconds(15)) const;

    FakeBrowserBench browser{L"autologin-browser"};
    pensim::SimulatedPen pen{L"autologin-pen"};
    std::optional<ResidentProgram> program;
};

// The bytes of the text in the system ANSI code page, and their form encoding as the program
// sends them.
std::string ansiBytes(const std::wstring& text);
std::string formEncoded(const std::string& bytes);

}  // namespace zelko::test
