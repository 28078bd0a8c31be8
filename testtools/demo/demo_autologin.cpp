// The demo's auto-login round trip: the test build with no settings file (auto-login mode on), the
// reference web service standing in for the maker's service and a site, the fake browser as the
// default browser. The first scan asks for the login values, the second logs in without asking.

#include "demo_autologin.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "pensim/simulated_pen.h"
#include "support/fake_browser_bench.h"
#include "support/login_window_driver.h"
#include "support/opened_addresses.h"
#include "support/reference_service.h"
#include "support/resident_program.h"
#include "support/wait.h"
#include "log/utf8_text.h"

using namespace zelko;
using namespace zelko::test;

namespace {

void say(const std::string& text) {
    std::printf("%s\n", text.c_str());
    std::fflush(stdout);
}

const char kOid[] = "d3m0d3m0d3m0d3m0d3m0d3m0d3m0d3m0d3m0d3m0d3m0d3m0d3m0d3m0d3m0d3m0";

// The service enables the site with a user and a password field and registers every request.
bool scriptTheService(const std::string& code) {
    return ReferenceService::reset() &&
           ReferenceService::route("127.0.0.5", code.substr(code.find('/')),
                                   ServiceReply::text("<html>shop</html>")) &&
           ReferenceService::route(
               "localhost", "/autologin/checkenable.php",
               ServiceReply::text(
                   "42\r\ndemo-shop\r\n"
                   "\xE3\x83\x87\xE3\x83\xA2\xE5\x95\x86\xE5\xBA\x97\r\n"  // デモ商店
                   "user,20,text,ID\r\n"
                   "pass,20,password,\xE3\x83\x91\xE3\x82\xB9\xE3\x83\xAF"
                   "\xE3\x83\xBC\xE3\x83\x89\r\n")) &&  // パスワード
           ReferenceService::route("localhost", "/autologin/regonetime.php",
                                   ServiceReply::text(std::string(kOid) + "\r\n"));
}

std::string lastRegistration() {
    std::string target;
    for (const ServiceRequest& request : ReferenceService::requests()) {
        if (pathOf(request.target) == "/autologin/regonetime.php") {
            target = request.target;
        }
    }
    return target;
}

bool waitForOpened(const FakeBrowserBench& browser, std::size_t count) {
    return waitUntil([&] { return openedAddresses(browser).size() >= count; }, 15s);
}

// The service's login page, which logs the browser in with the one-time identifier.
bool isLoginPage(const std::string& address) {
    return address.find("/autologin/autologin.php?oid=" + std::string(kOid)) != std::string::npos;
}

}  // namespace

bool showAutoLoginRoundTrip() {
    say("7. Auto-login mode, on by default when there is no settings file. The reference web");
    say("   service stands in for the maker's auto-login service and for a shop's site.");
    const std::string code =
        "127.0.0.5:" + std::to_string(ReferenceService::port()) + "/PEN0042/4901234567894";
    if (!scriptTheService(code)) {
        say("   the reference web service does not answer");
        return false;
    }
    FakeBrowserBench browser(L"demo-autologin-browser");
    browser.installAsDefault(L"chrome.exe");
    pensim::SimulatedPen pen(L"demo-autologin");
    ResidentProgram program(Build::Test, L"demo-autologin");
    if (!program.start() || !program.waitForTrayState(0, 10s)) {
        say("   the pen was not claimed");
        return false;
    }

    say("   the pen scans \"" + code + "\"");
    pen.typeScan(code);
    const HWND window = waitForLoginWindow(program.process().id(), 15s);
    if (!window) {
        say("   no login window appeared");
        return false;
    }
    const LoginWindowView view = viewLoginWindow(window);
    say("   the site is enabled: the login window \"" + testlog::utf8Of(view.title) +
        "\" asks for " + std::to_string(view.edits.size()) +
        " values; the demo types them and clicks ログイン");
    if (view.edits.size() != 2 || !typeInto(view.edits[0], L"taro") ||
        !typeInto(view.edits[1], L"secret 1")) {
        say("   the values could not be typed");
        return false;
    }
    click(view.loginButton);
    if (!waitForOpened(browser, 1)) {
        say("   the browser was not started");
        return false;
    }
    say("   registered with the service: " + lastRegistration());
    const std::string first = openedAddresses(browser).back().address;
    say("   the browser opened the service's login page " + first);

    say("   the same pen scans the same code again:");
    pen.typeScan(code);
    if (!waitForOpened(browser, 2)) {
        say("   the browser got nothing");
        return false;
    }
    const bool asked = waitForLoginWindow(program.process().id(), 0ms) != nullptr;
    const std::string second = openedAddresses(browser).back().address;
    say(std::string(asked ? "   a login window appeared again"
                          : "   no window this time: the stored values were registered again") +
        ", and the running browser got " + second);
    program.close();
    return !asked && isLoginPage(first) && isLoginPage(second);
}
