// The installer's close request while an auto-login waits for the network: the program ends
// within the installer's wait, with exit code 0, and acts on nothing after the close (no browser
// opening, no login window, no message box).

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "autologin/auto_login_fixture.h"
#include "support/wait.h"

namespace zelko::test {
namespace {

// The installer waits this long for the resident program to go before it writes its files.
constexpr ULONGLONG kInstallerCloseWaitMs = 5000;

struct CloseCase {
    const char* name;
    std::string host;  // the site of the scan
    // Scripts the service after the ordinary scripting (a site that answers, a four-field form).
    std::function<void()> arrangeService;
    // The worker is inside this request (a script under /autologin/) when the close comes; empty:
    // the close is taken right after the scan, while the worker starts.
    std::string busyIn;
};

void PrintTo(const CloseCase& c, std::ostream* os) {
    *os << c.name;
}

class AutoLoginCloseRequest : public AutoLoginTest,
                              public ::testing::WithParamInterface<CloseCase> {
  protected:
    void TearDown() override { ReferenceService::reset(); }

    // The close request reaches the tray window just after the scan's pen event: the main thread
    // is held while the scan is typed and the close request posted, so that both wait in its
    // queue in that order.
    void closeRightAfterTheScan(const std::string& code) {
        program->postToTray(RegisterWindowMessageW(L"ZelkoInputTestHoldMainThread"), 1000);
        ASSERT_TRUE(program->waitForEvent(
            [](const ProgramEvent& event) { return event.name == "main-thread-held"; }, 5s));
        scan(code);
        ASSERT_TRUE(waitUntil([&] { return pen.queuedInputReports() == 0u; }, 3s));
        program->postToTray(kCloseRequestMessage);
        ASSERT_TRUE(program->waitForEvent(
            [](const ProgramEvent& event) { return event.name == "main-thread-free"; }, 5s))
            << "the close request came after the hold";
    }

    bool eventAfterTheClose(const std::string& name, const std::string& fields = "") const {
        bool closed = false;
        for (const ProgramEvent& event : program->events()) {
            closed = closed || event.name == "close-request";
            if (closed && event.name == name && event.fields.rfind(fields, 0) == 0) {
                return true;
            }
        }
        return false;
    }
};

TEST_P(AutoLoginCloseRequest, EndsInTimeAndActsOnNothingMore) {
    const CloseCase& c = GetParam();
    const std::string code = siteCode("4989012345671", "PEN1", c.host);
    scriptService(code, kFourFieldDefinition, {ServiceReply::text(kOid)});
    if (c.arrangeService) {
        c.arrangeService();
    }
    startProgram();

    ULONGLONG closing = 0;
    if (c.busyIn.empty()) {
        ASSERT_NO_FATAL_FAILURE(closeRightAfterTheScan(code));
        closing = GetTickCount64();
    } else {
        scan(code);
        ASSERT_TRUE(ReferenceService::waitForRequest(
            [&](const ServiceRequest& r) { return pathOf(r.target) == "/autologin/" + c.busyIn; },
            10s))
            << "the worker did not reach " << c.busyIn;
        closing = GetTickCount64();
        program->postToTray(kCloseRequestMessage);
    }
    const std::optional<DWORD> exitCode = program->process().waitForExit(15s);
    const ULONGLONG took = GetTickCount64() - closing;
    ASSERT_TRUE(exitCode) << "the program did not end";
    std::printf("[ measure  ] close request -> exit: %llu ms\n", took);
    EXPECT_EQ(*exitCode, 0u);
    EXPECT_LT(took, kInstallerCloseWaitMs)
        << "the installer would have written over a running program";

    EXPECT_TRUE(program->waitForEvent(
        [](const ProgramEvent& event) { return event.name == "close-request"; }, 0ms));
    EXPECT_FALSE(eventAfterTheClose("browser")) << "a browser action came after the close";
    EXPECT_FALSE(eventAfterTheClose("auto-login", "login-window"))
        << "a login window came after the close";
    EXPECT_TRUE(openedAddresses().empty());
    EXPECT_TRUE(serviceTargets("regonetime.php").empty());
}

ServiceReply tenMegabytesSlowly() {
    ServiceReply reply;
    reply.bodySize = 10 * 1024 * 1024;
    reply.chunkDelayMs = 1;  // 2560 chunks: a few seconds
    return reply;
}

INSTANTIATE_TEST_SUITE_P(Waits, AutoLoginCloseRequest,
                         ::testing::Values(
                             // Nothing listens on 127.0.0.9: the first request is refused at once.
                             CloseCase{"SiteRefused", "127.0.0.9", nullptr, ""},
                             CloseCase{"ServiceStalls", "127.0.0.5",
                                       [] {
                                           ReferenceService::route("localhost",
                                                                   "/autologin/checkenable.php",
                                                                   ServiceReply::stalled());
                                       },
                                       "checkenable.php"},
                             CloseCase{"ServiceSends10MB", "127.0.0.5",
                                       [] {
                                           ReferenceService::route("localhost",
                                                                   "/autologin/checkenable.php",
                                                                   tenMegabytesSlowly());
                                       },
                                       "checkenable.php"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zelko::test
