// End to end: scans through the simulated pen into the auto-login service (the reference web
// service) and the browser (the fake browser), with the test build of the resident program. The
// tests run as on a Japanese Windows: the ANSI code page is Shift_JIS (932).

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>

#include "autologin/auto_login_fixture.h"
#include "support/message_box.h"
#include "support/wait.h"
#include "support/window_search.h"

namespace zelko::test {
namespace {

std::string loginPage() {
    return ReferenceService::origin("localhost") + "/autologin/autologin.php?oid=" + kOid;
}

int countEvents(const Strings& events, const std::string& wanted) {
    return static_cast<int>(std::count(events.begin(), events.end(), wanted));
}

using AutoLoginRoundTrip = AutoLoginTest;

TEST_F(AutoLoginRoundTrip, TypedValuesArriveEncodedAndTheSecondScanAsksNothing) {
    ASSERT_EQ(GetACP(), 932u) << "the Wine tests of auto-login run in the locale ja_JP.UTF-8 (ZELKO_WINE_LOCALE)";
    const std::string code = siteCode("4901234567894");
    scriptService(code, kFourFieldDefinition, {ServiceReply::text(kOid + "\r\n")});
    startProgram();

    scan(code);
    const HWND window = waitForLoginWindow();
    ASSERT_NE(window, nullptr) << "no login window";
    const LoginWindowView view = viewLoginWindow(window);
    ASSERT_EQ(view.edits.size(), 2u);
    const std::wstring user = L"taro yamada&co";
    const std::wstring password = L"山田パス#1";
    ASSERT_TRUE(typeInto(view.edits[0], user));
    ASSERT_TRUE(typeInto(view.edits[1], password));
    // The program stores the value in the ANSI code page: Shift_JIS here.
    const std::string passwordBytes = ansiBytes(password);
    ASSERT_EQ(passwordBytes, "\x8E\x52\x93\x63\x83\x70\x83\x58#1");
    click(view.loginButton);
    ASSERT_TRUE(waitUntilGone(window));
    ASSERT_TRUE(waitForOpened(1));

    const std::string site = "http://" + code;
    const std::string registration =
        "/autologin/regonetime.php?uid=17&user=taro+yamada%26co&pass=" +
        formEncoded(passwordBytes) + "&back=" + formEncoded(site);
    ASSERT_EQ(formEncoded(passwordBytes), "%8ER%93c%83p%83X%231");
    EXPECT_EQ(serviceTargets("regonetime.php"), Strings{registration});
    EXPECT_EQ(serviceTargets("checkenable.php"),
              Strings{"/autologin/checkenable.php?hp=" + formEncoded(site)});
    EXPECT_EQ(openedAddresses(), Strings{loginPage()});
    for (const ServiceRequest& request : ReferenceService::requests()) {
        EXPECT_EQ(request.userAgent, "ZELKON") << request.target;
    }

    // The same site and pen again: the stored values are sent without asking.
    const long long lastReport = scan(code);
    ASSERT_TRUE(waitForOpened(2));
    std::printf("[ measure  ] stored values: last report -> login page in the browser: %.0f ms\n",
                (zelko::test::openedAddresses(browser)[1].microseconds - lastReport) / 1000.0);
    EXPECT_EQ(openedAddresses(), (Strings{loginPage(), loginPage()}));
    EXPECT_EQ(serviceTargets("regonetime.php"), (Strings{registration, registration}));
    const Strings events = autoLoginEvents();
    EXPECT_EQ(countEvents(events, "login-window opened"), 1);
    EXPECT_EQ(countEvents(events, "end logged-in"), 2);
    EXPECT_EQ(findWindowOf(program->process().id(), kLoginWindowClass), nullptr);
    EXPECT_EQ(countMessageBoxes(L"エラー"), 0);
}

TEST_F(AutoLoginRoundTrip, AnotherPenOfTheSameSiteIsAskedForItsOwnValues) {
    const std::string first = siteCode("4901234567894", "PEN1");
    const std::string second = siteCode("4901234567894", "PEN2");
    scriptService(first, kFourFieldDefinition, {ServiceReply::text(kOid)});
    ASSERT_TRUE(
        ReferenceService::route("127.0.0.5", "/PEN2/4901234567894", ServiceReply::text("<html>")));
    startProgram();
    const std::pair<std::string, std::wstring> pens[] = {{first, L"PEN1"}, {second, L"PEN2"}};
    for (std::size_t round = 0; round < 2; ++round) {
        scan(pens[round].first);
        const HWND window = waitForLoginWindow();
        ASSERT_NE(window, nullptr) << pens[round].first;
        const LoginWindowView view = viewLoginWindow(window);
        ASSERT_TRUE(typeInto(view.edits[0], pens[round].second));
        ASSERT_TRUE(typeInto(view.edits[1], L"pw"));
        click(view.loginButton);
        ASSERT_TRUE(waitUntilGone(window));
        ASSERT_TRUE(waitForOpened(round + 1));
    }
    const Strings registrations = serviceTargets("regonetime.php");
    ASSERT_EQ(registrations.size(), 2u);
    EXPECT_NE(registrations[0].find("user=PEN1&"), std::string::npos) << registrations[0];
    EXPECT_NE(registrations[1].find("user=PEN2&"), std::string::npos) << registrations[1];
}

TEST_F(AutoLoginRoundTrip, RedirectIntoAServiceOriginAsksFromZelkoForTheSite) {
    // The scanned host redirects through an ordinary host to one of the service's origins.
    const std::string code = siteCode("4998765432109", "PEN 7", "127.0.0.6");
    const std::string origin = ReferenceService::origin("127.0.0.2");
    const std::string site = ReferenceService::origin("127.0.0.7") + "/shop/login?from=pen";
    ASSERT_TRUE(ReferenceService::route(
        "127.0.0.6", "/PEN%207/4998765432109",
        ServiceReply::redirect(ReferenceService::origin("127.0.0.7") + "/hop")));
    ASSERT_TRUE(
        ReferenceService::route("127.0.0.7", "/hop", ServiceReply::redirect(origin + "/go?x=1")));
    ASSERT_TRUE(ReferenceService::route("127.0.0.2", "/command/fromzelko.php",
                                        ServiceReply::text(site + "\r\nignored\r\n")));
    ASSERT_TRUE(ReferenceService::route("localhost", "/autologin/checkenable.php",
                                        ServiceReply::text(kFourFieldDefinition)));
    ASSERT_TRUE(ReferenceService::route("localhost", "/autologin/regonetime.php",
                                        ServiceReply::text(kOid)));
    startProgram();
    scan(code);
    const HWND window = waitForLoginWindow();
    ASSERT_NE(window, nullptr);
    cancelAndWaitForTheOrdinaryOpening(window);

    Strings asked;
    for (const ServiceRequest& request : ReferenceService::requests()) {
        asked.push_back(request.host + " " + request.target);
    }
    EXPECT_EQ(asked, (Strings{"127.0.0.6 /PEN%207/4998765432109", "127.0.0.7 /hop",
                              "127.0.0.2 /command/fromzelko.php?penid=PEN+7&barcode=4998765432109",
                              "localhost /autologin/checkenable.php?hp=" + formEncoded(site)}))
        << "the redirect target at the service's origin itself is never asked for";
    EXPECT_EQ(openedAddresses(),
              Strings{"http://" + siteCode("4998765432109", "PEN%207", "127.0.0.6")});
}

struct FallbackCase {
    const char* name;
    const char* host;                         // the scanned code's host (its site)
    std::function<void()> arrangeService;     // after the ordinary scripting
    std::function<void(HWND window)> answer;  // what the user does; null: no window expected
    const char* outcome;                      // the worker's outcome
    bool refuseWindow = false;                // the login window cannot be created
    std::string penId = "PEN1";               // as scanned
    std::string openedPenId = "PEN1";         // as an ordinary scan opens it
};

void PrintTo(const FallbackCase& c, std::ostream* os) {
    *os << c.name;
}

class AutoLoginFallback : public AutoLoginTest, public ::testing::WithParamInterface<FallbackCase> {
  protected:
    void TearDown() override {
        SetEnvironmentVariableW(L"ZELKO_TEST_REFUSE_LOGIN_WINDOW", nullptr);
    }
};

// Every failure and every way of not logging in opens exactly what an ordinary scan opens, with no
// error box, and registers nothing.
TEST_P(AutoLoginFallback, OpensTheScannedCodeAsAnOrdinaryScan) {
    const FallbackCase& c = GetParam();
    const std::string code = siteCode("4912345678904", c.penId, c.host);
    scriptService(code, kFourFieldDefinition, {ServiceReply::text(kOid)});
    if (c.arrangeService) {
        c.arrangeService();
    }
    if (c.refuseWindow) {
        SetEnvironmentVariableW(L"ZELKO_TEST_REFUSE_LOGIN_WINDOW", L"1");
    }
    startProgram();
    const long long lastReport = scan(code);
    if (c.answer) {
        const HWND window = waitForLoginWindow();
        ASSERT_NE(window, nullptr);
        c.answer(window);
        EXPECT_TRUE(waitUntilGone(window));
    }
    ASSERT_TRUE(waitForOpened(1));
    if (!c.answer) {
        std::printf("[ measure  ] last report -> ordinary opening: %.0f ms\n",
                    (zelko::test::openedAddresses(browser)[0].microseconds - lastReport) / 1000.0);
    }
    EXPECT_EQ(openedAddresses(),
              Strings{"http://" + siteCode("4912345678904", c.openedPenId, c.host)});
    ASSERT_TRUE(waitForAutoLoginEvent(std::string("end ") + c.outcome, 5s));
    if (std::string(c.outcome) == "cancelled") {
        EXPECT_TRUE(serviceTargets("regonetime.php").empty());
    }
    EXPECT_EQ(countMessageBoxes(L"エラー"), 0);
    if (c.refuseWindow) {
        EXPECT_EQ(countEvents(autoLoginEvents(), "login-window refused"), 1);
    }
    // Nothing was stored: the next scan asks again.
    if (c.answer && std::string(c.outcome) == "cancelled") {
        scan(code);
        const HWND again = waitForLoginWindow();
        ASSERT_NE(again, nullptr);
        cancelAndWaitForTheOrdinaryOpening(again);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Ways, AutoLoginFallback,
    ::testing::Values(
        FallbackCase{"CancelButton", "127.0.0.5", nullptr,
                     [](HWND window) {
                         const LoginWindowView view = viewLoginWindow(window);
                         EXPECT_TRUE(typeInto(view.edits[0], L"taro"));
                         EXPECT_TRUE(typeInto(view.edits[1], L"secret"));
                         click(view.cancelButton);
                     },
                     "cancelled"},
        FallbackCase{"LoginWithAnEmptyPassword", "127.0.0.5", nullptr,
                     [](HWND window) {
                         const LoginWindowView view = viewLoginWindow(window);
                         EXPECT_TRUE(typeInto(view.edits[0], L"taro"));
                         click(view.loginButton);
                     },
                     "cancelled"},
        FallbackCase{"CloseBox", "127.0.0.5", nullptr,
                     [](HWND window) { PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); },
                     "cancelled"},
        FallbackCase{"EscapeKey", "127.0.0.5", nullptr,
                     [](HWND window) {
                         const LoginWindowView view = viewLoginWindow(window);
                         PostMessageW(view.edits[0], WM_KEYDOWN, VK_ESCAPE, 1);
                     },
                     "cancelled"},
        // 512 kanji are 1024 bytes in Shift_JIS: refused rather than cut.
        FallbackCase{"ValueLongerThan1023Bytes", "127.0.0.5",
                     [] {
                         ReferenceService::route(
                             "localhost", "/autologin/checkenable.php",
                             ServiceReply::text("3\r\nk\r\nT\r\nuser,0,text,User\r\n"));
                     },
                     [](HWND window) {
                         const LoginWindowView view = viewLoginWindow(window);
                         const std::wstring kanji(512, L'漢');
                         EXPECT_TRUE(typeInto(view.edits[0], kanji));
                         click(view.loginButton);
                     },
                     "cancelled"},
        FallbackCase{"WindowCannotBeCreated", "127.0.0.5", nullptr, nullptr, "cancelled", true},
        // Nothing listens on 127.0.0.9.
        FallbackCase{"SiteUnreachable", "127.0.0.9", nullptr, nullptr, "fallback"},
        // The same address rule as an ordinary scan: a space or a quote never leaves the address.
        FallbackCase{"SiteUnreachableWithAHostileCode", "127.0.0.9", nullptr, nullptr, "fallback",
                     false, "P \"1", "P%20%221"},
        FallbackCase{"ServiceDropsTheConnection", "127.0.0.5",
                     [] {
                         ServiceReply drop;
                         drop.drop = true;
                         ReferenceService::route("localhost", "/autologin/checkenable.php", drop);
                     },
                     nullptr, "fallback"},
        FallbackCase{"RegistrationWithoutAOneTimeId", "127.0.0.5",
                     [] {
                         ReferenceService::route("localhost", "/autologin/regonetime.php",
                                                 ServiceReply::text(kOid.substr(1) + "\r\n"));
                     },
                     [](HWND window) {
                         const LoginWindowView view = viewLoginWindow(window);
                         EXPECT_TRUE(typeInto(view.edits[0], L"taro"));
                         EXPECT_TRUE(typeInto(view.edits[1], L"secret"));
                         click(view.loginButton);
                     },
                     "fallback"}),
    [](const auto& info) { return std::string(info.param.name); });

using AutoLoginNeedUrl = AutoLoginTest;

TEST_F(AutoLoginNeedUrl, PreparationPageThenLoginPageInThatOrder) {
    const std::string code = siteCode("4923456789013");
    scriptService(code, kFourFieldDefinition, {ServiceReply::text(kOid + "\r\nNeedUrl\r\n")});
    ASSERT_TRUE(ReferenceService::route(
        "localhost", "/autologin/checkdownloaded.php",
        {ServiceReply::text("", 404), ServiceReply::text("", 404), ServiceReply::text("done")}));
    startProgram();
    scan(code);
    const HWND window = waitForLoginWindow();
    ASSERT_NE(window, nullptr);
    const LoginWindowView view = viewLoginWindow(window);
    ASSERT_TRUE(typeInto(view.edits[0], L"taro"));
    ASSERT_TRUE(typeInto(view.edits[1], L"secret"));
    click(view.loginButton);

    ASSERT_TRUE(waitForOpened(1));
    // While the worker waits for the download, another scan is not acted on.
    const std::string other = siteCode("4934567890126");
    scan(other);
    ASSERT_TRUE(waitForAutoLoginEvent("busy " + other, 10s));

    ASSERT_TRUE(waitForOpened(2));
    const std::string base = ReferenceService::origin("localhost") + "/autologin/";
    EXPECT_EQ(openedAddresses(),
              (Strings{base + "loadandup.php?oid=" + kOid, base + "autologin.php?oid=" + kOid}));
    EXPECT_EQ(serviceTargets("checkdownloaded.php"),
              Strings(3, "/autologin/checkdownloaded.php?oid=" + kOid));
    const auto opened = zelko::test::openedAddresses(browser);
    const long long gap = opened[1].microseconds - opened[0].microseconds;
    std::printf("[ measure  ] preparation page -> login page: %.0f ms (third poll)\n",
                gap / 1000.0);
    EXPECT_GT(gap, 1500000) << "the login page came before the third poll";
    ASSERT_TRUE(waitForAutoLoginEvent("end logged-in", 5s));
    EXPECT_EQ(countEvents(autoLoginEvents(), "start " + other), 0);
}

using AutoLoginBusy = AutoLoginTest;

TEST_F(AutoLoginBusy, SecondScanDuringTheInputIsNotActedOn) {
    const std::string code = siteCode("4945678901239");
    const std::string other = siteCode("4956789012342");
    scriptService(code, kFourFieldDefinition, {ServiceReply::text(kOid)});
    ASSERT_TRUE(
        ReferenceService::route("127.0.0.5", "/PEN1/4956789012342", ServiceReply::text("<html>")));
    startProgram();
    scan(code);
    const HWND window = waitForLoginWindow();
    ASSERT_NE(window, nullptr);

    scan(other);
    ASSERT_TRUE(waitForAutoLoginEvent("busy " + other, 10s));
    const LoginWindowView view = viewLoginWindow(window);
    ASSERT_TRUE(typeInto(view.edits[0], L"taro"));
    ASSERT_TRUE(typeInto(view.edits[1], L"secret"));
    click(view.loginButton);
    ASSERT_TRUE(waitForAutoLoginEvent("end logged-in", 15s));
    ASSERT_TRUE(waitForOpened(1));

    EXPECT_EQ(openedAddresses(), Strings{loginPage()});
    const Strings events = autoLoginEvents();
    EXPECT_EQ(countEvents(events, "start " + code), 1);
    EXPECT_EQ(countEvents(events, "start " + other), 0);
    for (const ServiceRequest& request : ReferenceService::requests()) {
        EXPECT_EQ(request.target.find("4956789012342"), std::string::npos) << request.target;
    }
}

using AutoLoginShutDown = AutoLoginTest;

TEST_F(AutoLoginShutDown, CloseRequestDuringTheInputWaitEndsTheProgramCleanly) {
    const std::string code = siteCode("4967890123455");
    scriptService(code, kFourFieldDefinition, {ServiceReply::text(kOid)});
    startProgram();
    scan(code);
    const HWND window = waitForLoginWindow();
    ASSERT_NE(window, nullptr);

    const ULONGLONG before = GetTickCount64();
    const std::optional<DWORD> exitCode = program->close(std::chrono::seconds(10));
    const ULONGLONG took = GetTickCount64() - before;
    ASSERT_TRUE(exitCode) << "the program did not end";
    EXPECT_EQ(*exitCode, 0u);
    std::printf("[ measure  ] close request during the input wait -> exit: %llu ms\n", took);
    EXPECT_LT(took, 5000u) << "the installer waits 5 s for the program to go";
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(openedAddresses().empty()) << "nothing is opened at shut-down";
    EXPECT_EQ(countEvents(autoLoginEvents(), "end stopped"), 1);
}

using AutoLoginMode = AutoLoginTest;

TEST_F(AutoLoginMode, ASettingsFileTurnsItOff) {
    const std::string code = siteCode("4978901234568");
    scriptService(code, kFourFieldDefinition, {ServiceReply::text(kOid)});
    Settings settings;
    settings.autoLogin = 1;  // not read from the file: every start that finds one turns it off
    startProgram(settings);
    scan(code);
    ASSERT_TRUE(waitForOpened(1));
    EXPECT_EQ(openedAddresses(), Strings{"http://" + code});
    EXPECT_TRUE(ReferenceService::requests().empty());
    EXPECT_TRUE(autoLoginEvents().empty());
}

}  // namespace
}  // namespace zelko::test
