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
#include "support/reference_service.h"
#include "support/resident_program.h"

namespace zelko::test {

using Strings = std::vector<std::string>;

// The login input window of another process, as the test sees it.
struct LoginWindowView {
    HWND window = nullptr;
    std::wstring title;
    RECT client{};
    std::vector<HWND> edits;  // in creation order
    HWND loginButton = nullptr;
    HWND cancelButton = nullptr;
};

constexpr wchar_t kLoginWindowClass[] = L"ZelkaInput INPUTWINDOW";
constexpr int kLoginButtonId = 1000;
constexpr int kCancelButtonId = 1001;

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

    void scan(const std::string& code);

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
    struct OpenedAddress {
        long long microseconds = 0;
        std::string address;
    };
    std::vector<OpenedAddress> openedAddressesTimed() const;
    Strings openedAddresses() const;
    bool waitForOpened(std::size_t count,
                       std::chrono::milliseconds timeout = std::chrono::seconds(15)) const;

    FakeBrowserBench browser{L"autologin-browser"};
    pensim::SimulatedPen pen{L"autologin-pen"};
    std::optional<ResidentProgram> program;
};

LoginWindowView viewLoginWindow(HWND window);
// The child's rectangle in its parent's client coordinates.
RECT childRect(HWND child);
std::wstring windowClassOf(HWND window);
// The text of another process's edit box.
std::wstring editText(HWND edit);
// Types the text into the edit box as keyboard characters; true once the box shows `expected`.
bool typeInto(HWND edit, const std::wstring& text, const std::wstring& expected);
bool typeInto(HWND edit, const std::wstring& text);
// Clicks a button of another process.
void click(HWND button);
// The login window is gone (closed by the program).
bool waitUntilGone(HWND window, std::chrono::milliseconds timeout = std::chrono::seconds(10));

// The bytes of the text in the system ANSI code page, and their form encoding as the program
// sends them.
std::string ansiBytes(const std::wstring& text);
std::string formEncoded(const std::string& bytes);

}  // namespace zelko::test
