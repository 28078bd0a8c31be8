// Test build hooks: every event is appended as one line to the file named by the environment
// variable ZELKO_TEST_EVENTS, as "<microseconds> <event> <fields>", the time taken from
// QueryPerformanceCounter (one clock for all processes of the machine).

#include "app/win32/test_hooks.h"

#include <windows.h>

#include <mutex>
#include <string>

#include "clock/test_clock.h"
#include "common/win32/unique_handle.h"

namespace zelko::hooks {
namespace {

std::mutex logMutex;

using testclock::nowMicroseconds;

// Keeps each field on its line: bytes below 0x20 and the backslash are written as \xNN.
std::string escaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (unsigned char c : text) {
        if (c < 0x20 || c == '\\' || c == 0x7F) {
            static const char digits[] = "0123456789ABCDEF";
            out += "\\x";
            out += digits[c >> 4];
            out += digits[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
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
    writeEvent("pen-event " + std::to_string(wParam) + " " + escaped(newestScan));
}

void trayStateShown(int state) {
    writeEvent("tray-state " + std::to_string(state));
}

void browserAction(std::string_view action, std::string_view address) {
    writeEvent("browser " + std::string(action) + " " + escaped(address));
}

}  // namespace zelko::hooks
