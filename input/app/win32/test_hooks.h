#pragma once
// Observation points for the test build. The shipped program links the empty implementation
// (test_hooks_none.cpp); the test build links one that records each event with its time, so that
// tests running the real program under Wine can see what it did.

#include <string_view>

namespace zelko::hooks {

// The tray window took a pen event (wParam as posted); `newestScan` is the scan list's head, or
// empty when the list is empty.
void penEventReceived(unsigned wParam, std::string_view newestScan);

// The tray icon now shows this TrayState.
void trayStateShown(int state);

// The scan dispatch acted: `action` names what it did ("launch", "address-bar", "launch-failed"),
// `address` is the address it used.
void browserAction(std::string_view action, std::string_view address);

// Auto-login: `event` "start" (a worker took the scan `detail`), "busy" (the scan `detail` was not
// acted on: an auto-login runs), "end" (the worker ended with the outcome `detail`) or
// "login-window" (`detail` "opened", "refused", "accepted" or "cancelled").
void autoLogin(std::string_view event, std::string_view detail);

// The tray window took the close request (from the installer or the tray menu's exit): from here on
// the program acts on nothing more.
void closeRequested();

// True in the test build when ZELKO_TEST_REFUSE_LOGIN_WINDOW is "1": the login input window is then
// not created, as when its creation fails.
bool refuseLoginWindow();

// The main thread is about to dispatch a message. The test build holds the main thread busy for
// wParam milliseconds when the message is the registered "ZelkoInputTestHoldMainThread", as a
// long browser action or a modal box would; the shipped program does nothing.
void mainThreadDispatching(unsigned message, unsigned long long wParam);

}  // namespace zelko::hooks
