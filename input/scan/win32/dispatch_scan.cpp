// The browser action of one scan.

#include "scan/win32/dispatch_scan.h"

#include <string>

#include "app/win32/program_state.h"
#include "app/win32/test_hooks.h"
#include "browser/win32/address_bar.h"
#include "browser/win32/launch_browser.h"
#include "scan/scan_address.h"

namespace zelko {

namespace {

void launchOrReport(HWND trayWindow, const std::string& address, const std::wstring& wide) {
    if (launchBrowser(wide)) {
        hooks::browserAction("launch", address);
        return;
    }
    hooks::browserAction("launch-failed", address);
    // In front of the window the user works in: the box holds the settings lock until answered.
    MessageBoxW(trayWindow, L"ブラウザを起動できませんでした", L"エラー", MB_OK | MB_SETFOREGROUND);
}

// The browser action for an address made safe; an empty address does nothing.
void openAddress(HWND trayWindow, const std::string& address) {
    ProgramState& state = programState();
    if (address.empty()) {
        return;
    }
    // A URL-safe address is plain ASCII, which every ANSI code page maps to the same UTF-16.
    const std::wstring wide(address.begin(), address.end());

    // Held through the whole action and the message box. The lock is re-entrant, so a pen event
    // handled by the message box's modal loop runs a nested dispatch on this thread without
    // blocking; the reader's lock is not held here, so the reader thread is never kept waiting.
    MutexLock settingsGuard(state.settingsLock);
    switch (state.settings.outputMode) {
        case LaunchBrowser:
            launchOrReport(trayWindow, address, wide);
            break;
        case SetAddressBar: {
            const DWORD mainThread = GetWindowThreadProcessId(trayWindow, nullptr);
            if (deliverToAddressBar(wide, mainThread ? mainThread : GetCurrentThreadId())) {
                hooks::browserAction("address-bar", address);
            } else {
                launchOrReport(trayWindow, address, wide);
            }
            break;
        }
        default:
            break;
    }
}

}  // namespace

void dispatchScan(HWND trayWindow, std::string_view pendingAddress) {
    // Every byte that could leave the address (a quote, a space, a control byte) is escaped
    // before any browser sees it, for scans and pending addresses alike.
    openAddress(trayWindow, urlSafeAddress(pendingAddress));
}

void dispatchScanCode(HWND trayWindow, std::string_view code) {
    openAddress(trayWindow, urlSafeAddress(addressForScan(code)));
}

}  // namespace zelko
