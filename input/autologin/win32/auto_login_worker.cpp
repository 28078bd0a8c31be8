#include "autologin/win32/auto_login_worker.h"

#include <process.h>

#include <optional>
#include <string>

#include "app/win32/program_state.h"
#include "app/win32/test_hooks.h"
#include "login_window/win32/login_input_window.h"
#include "scan/scan_code.h"
#include "scan/win32/dispatch_scan.h"
#include "tray/win32/tray_messages.h"
#include "web/server_addresses.h"
#include "web/win32/http_get.h"

namespace zelko {

namespace {

// The worker's way to the main thread: posted messages and the login window's shared state.
class MainThreadPort final : public AutoLoginPort {
  public:
    explicit MainThreadPort(ProgramState& state) : state_(state) {}

    bool requestInput(LoginRecord& candidate) override {
        LoginInputWindow& input = state_.loginWindow;
        input.inputAccepted = 0;
        input.inputRecord = &candidate;
        input.inputState = 1;
        if (PostMessageW(state_.tray.window, WM_SHOW_LOGIN_WINDOW, 0, 0)) {
            return true;
        }
        input.inputRecord = nullptr;
        input.inputState = 0;
        return false;
    }
    std::int32_t inputState() const override { return state_.loginWindow.inputState.load(); }
    bool inputAccepted() const override { return state_.loginWindow.inputAccepted.load() != 0; }
    bool openAddress(const std::string& address) override {
        const HWND tray = state_.tray.window;
        return state_.autoLogin.pendingAddresses.handOver(
            address, [tray] { return PostMessageW(tray, WM_OPEN_PENDING_URL, 0, 0) != FALSE; });
    }
    void emptyScanList() override {
        if (PenReader* reader = state_.reader.get()) {
            MutexLock lock(reader->lock);
            reader->scans.removeScan(-1);
        }
    }
    std::uint64_t tickCount() const override { return GetTickCount64(); }
    void sleep(std::uint32_t milliseconds) override { Sleep(milliseconds); }

  private:
    ProgramState& state_;
};

ServiceAddresses buildServiceAddresses() {
    ServiceAddresses service;
    service.base = build::kServiceBase;
    service.origins.assign(build::kServiceOrigins.begin(), build::kServiceOrigins.end());
    return service;
}

unsigned __stdcall autoLoginWorker(void* context) {
    ProgramState& state = *static_cast<ProgramState*>(context);
    AutoLoginState& autoLogin = state.autoLogin;
    const char* outcome = "error";
    try {
        MainThreadPort port(state);
        const AutoLoginEnvironment environment{httpGet, port, autoLogin.keepRunning,
                                               buildServiceAddresses(), autoLogin.records};
        outcome = outcomeName(runAutoLogin(environment, autoLogin.scan));
    } catch (...) {
        // Out of memory: the worker ends; the flags below let the next scan start afresh.
    }
    hooks::autoLogin("end", outcome);
    autoLogin.busy = 0;
    autoLogin.workerRunning = 0;
    return 0;
}

void startAutoLogin(HWND trayWindow, const std::string& code) {
    ProgramState& state = programState();
    AutoLoginState& autoLogin = state.autoLogin;
    ScannedCode scan;
    std::string prefix;
    if (splitScanCode(code, &prefix, &scan.penId, &scan.barcode) != 1 || prefix.empty()) {
        autoLogin.busy = 0;
        return;
    }
    scan.code = code;
    hooks::autoLogin("start", code);
    autoLogin.scan = std::move(scan);
    autoLogin.workerThread.reset();  // the previous worker has ended
    autoLogin.keepRunning = 1;
    autoLogin.workerRunning = 1;
    const std::uintptr_t thread = _beginthreadex(nullptr, 0, autoLoginWorker, &state, 0, nullptr);
    if (thread == 0) {
        autoLogin.workerRunning = 0;
        autoLogin.keepRunning = 0;
        autoLogin.busy = 0;
        hooks::autoLogin("end", "no-worker");
        // Like every other failure, the scan is opened the ordinary way.
        dispatchScanCode(trayWindow, code);
        return;
    }
    autoLogin.workerThread.reset(reinterpret_cast<HANDLE>(thread));
}

}  // namespace

void routeScanToAutoLogin(HWND trayWindow, const std::string& scannedCode) {
    AutoLoginState& autoLogin = programState().autoLogin;
    const std::string code = scannedCode.substr(0, scannedCode.find('\0'));
    // A worker still polling the download check counts as running, though the preparation page
    // has already been opened: two workers would share one scan, one input window and the records.
    if (autoLogin.busy.load() != 0 || autoLogin.workerRunning.load() != 0) {
        hooks::autoLogin("busy", code);
        return;
    }
    autoLogin.busy = 1;
    startAutoLogin(trayWindow, code);
}

void openPendingAddress(HWND trayWindow) {
    AutoLoginState& autoLogin = programState().autoLogin;
    if (const std::optional<std::string> address = autoLogin.pendingAddresses.take()) {
        dispatchScan(trayWindow, *address);
    }
    autoLogin.busy = 0;
}

void askAutoLoginToStop() {
    programState().autoLogin.keepRunning = 0;
    // The worker ends at its next look at the flag; an input window still open goes at once, so
    // that nothing touches the worker's record after it has ended.
    cancelLoginInput();
}

bool stopAutoLogin(std::uint32_t patienceMs) {
    AutoLoginState& autoLogin = programState().autoLogin;
    askAutoLoginToStop();
    const ULONGLONG deadline = GetTickCount64() + patienceMs;
    while (autoLogin.workerRunning.load() != 0) {
        if (GetTickCount64() >= deadline) {
            // Inside a request: the worker hands nothing over when it returns, and ends.
            return false;
        }
        Sleep(1);
    }
    autoLogin.workerThread.reset();
    return true;
}

}  // namespace zelko
