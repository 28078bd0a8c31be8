// The tray window of the test build: icon state, menu, shell restart and session end (also one
// that is cancelled).

#include <gtest/gtest.h>

#include "support/resident_program.h"
#include "support/tray_menu.h"
#include "support/wait.h"

namespace zelko::test {
namespace {

constexpr int kNotAttached = 2;
constexpr int kExitItem = 2;  // "終了", the third item

class TrayWindow : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(program.start()); }

    // How many times the icon has been given a state so far.
    size_t statesShown() const {
        size_t shown = 0;
        for (const auto& event : program.events()) {
            shown += event.name == "tray-state";
        }
        return shown;
    }

    // Sends a message of the session's end as the system does; the window's answer.
    DWORD_PTR sendSessionMessage(UINT message, WPARAM wParam) {
        DWORD_PTR answer = 0;
        EXPECT_TRUE(SendMessageTimeoutW(program.trayWindow(), message, wParam, 0, SMTO_ABORTIFHUNG,
                                        5000, &answer));
        return answer;
    }

    ResidentProgram program;
};

TEST_F(TrayWindow, TickShowsNotAttachedWithoutAPen) {
    EXPECT_TRUE(program.waitForTrayState(kNotAttached, 3s));
}

TEST_F(TrayWindow, ButtonDownOpensTheMenuAndOtherMouseMessagesDoNot) {
    for (UINT ignored :
         {WM_LBUTTONUP, WM_RBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MOUSEMOVE}) {
        program.postToTray(kTrayIconMessage, 1, ignored);
    }
    EXPECT_FALSE(waitUntil([&] { return popupMenuOpen(program.process().id()); }, 700ms));

    for (UINT button : {WM_LBUTTONDOWN, WM_RBUTTONDOWN}) {
        program.postToTray(kTrayIconMessage, 1, button);
        HWND menu = waitForPopupMenu(program.process().id(), 5s);
        ASSERT_NE(menu, nullptr) << "button " << button;
        dismissPopupMenu(menu);
        EXPECT_TRUE(waitUntil([&] { return !popupMenuOpen(program.process().id()); }, 5s));
    }
    EXPECT_TRUE(program.process().running());
}

TEST_F(TrayWindow, ExitFromTheMenuEndsTheProgram) {
    ASSERT_TRUE(chooseTrayMenuItem(program.trayWindow(), program.process().id(), kExitItem));
    EXPECT_EQ(program.process().waitForExit(10s), 0u);
}

TEST_F(TrayWindow, ShellRestartBringsTheIconBackWithThePenState) {
    ASSERT_TRUE(program.waitForTrayState(kNotAttached, 3s));
    const size_t shownBefore = statesShown();
    SendMessageW(program.trayWindow(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    // The icon is added anew with its first picture; the next tick shows the pen state on it.
    EXPECT_TRUE(waitUntil([&] { return statesShown() > shownBefore; }, 3s));
    EXPECT_EQ(program.lastTrayState(), kNotAttached);
}

TEST_F(TrayWindow, SessionEndIsAllowedAndTheProgramStaysUntilClosed) {
    EXPECT_EQ(sendSessionMessage(WM_QUERYENDSESSION, 0), static_cast<DWORD_PTR>(TRUE));
    EXPECT_TRUE(program.process().running());
    EXPECT_EQ(program.close(), 0u);
}

// A log-off that another program cancels: the icon goes at the query and comes back at the news
// that the session goes on, with the pen state on it, so the menu and the exit stay reachable.
TEST_F(TrayWindow, CancelledLogOffBringsTheIconBack) {
    ASSERT_TRUE(program.waitForTrayState(kNotAttached, 3s));
    ASSERT_TRUE(trayIconShown(program.trayWindow()));
    const size_t shownBefore = statesShown();

    EXPECT_EQ(sendSessionMessage(WM_QUERYENDSESSION, 0), static_cast<DWORD_PTR>(TRUE));
    EXPECT_FALSE(trayIconShown(program.trayWindow())) << "the icon stays while the session ends";
    sendSessionMessage(WM_ENDSESSION, FALSE);

    EXPECT_TRUE(waitUntil([&] { return trayIconShown(program.trayWindow()); }, 3s));
    EXPECT_TRUE(waitUntil([&] { return statesShown() > shownBefore; }, 3s));
    EXPECT_EQ(program.lastTrayState(), kNotAttached);
    // The menu works again.
    program.postToTray(kTrayIconMessage, 1, WM_RBUTTONDOWN);
    HWND menu = waitForPopupMenu(program.process().id(), 5s);
    ASSERT_NE(menu, nullptr);
    dismissPopupMenu(menu);
}

}  // namespace
}  // namespace zelko::test
