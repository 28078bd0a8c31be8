// Test build hooks: every event is appended as one line to the file named by the environment
// variable ZELKO_TEST_EVENTS, as "<microseconds> <event> <fields>", the time taken from
// QueryPerformanceCounter (one clock for all processes of the machine).

#include "app/win32/test_hooks.h"

#include <windows.h>

#include <algorithm>
#include <mutex>
#include <string>

#include "log/log_escape.h"
#include "log/test_clock.h"
#include "common/win32/unique_handle.h"

namespace zelko::hooks {
namespace {

std::mutex logMutex;

using testclock::nowMicroseconds;

// The scan and the address are the rest of their line: spaces stay as they are.
std::string escapeField(std::string_view text) {
    return testlog::escapeLogField(text, testlog::Spaces::Keep);
}

void writeEvent(const std::string& body) {
    wchar_t path[1024];
    DWORD length = GetEnvironmentVariableW(L"ZELKO_TEST_EVENTS", path, 1024);
    if (length == 0 || length >= 1024) {
        return;
    }
    std::string line = std::to_string(nowMicroseconds()) + " " + body + "\n";
    std::lock_guard<std::mutex> guard(logMutex);
    UniqueFileHandle file(CreateFileW(path, FILE_APPEND_DATA,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return;
    }
    DWORD written = 0;
    WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

}  // namespace

void penEventReceived(unsigned wParam, std::string_view newestScan) {
    writeEvent("pen-event " + std::to_string(wParam) + " " + escapeField(newestScan));
}

void trayStateShown(int state) {
    writeEvent("tray-state " + std::to_string(state));
}

void browserAction(std::string_view action, std::string_view address) {
    writeEvent("browser " + std::string(action) + " " + escapeField(address));
}

void autoLogin(std::string_view event, std::string_view detail) {
    writeEvent("auto-login " + std::string(event) + " " + escapeField(detail));
}

void closeRequested() {
    writeEvent("close-request");
}

bool refuseLoginWindow() {
    wchar_t value[4] = {};
    const DWORD length = GetEnvironmentVariableW(L"ZELKO_TEST_REFUSE_LOGIN_WINDOW", value, 4);
    return length == 1 && value[0] == L'1';
}

void mainThreadDispatching(unsigned message, unsigned long long wParam) {
    static const UINT holdMessage = RegisterWindowMessageW(L"ZelkoInputTestHoldMainThread");
    if (holdMessage == 0 || message != holdMessage) {
        return;
    }
    const DWORD milliseconds = static_cast<DWORD>(std::min<unsigned long long>(wParam, 60000));
    writeEvent("main-thread-held " + std::to_string(milliseconds));
    Sleep(milliseconds);
    writeEvent("main-thread-free");
}

}  // namespace zelko::hooks
