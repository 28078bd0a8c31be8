// The fake browser's event log.

#include "fakebrowser/fake_browser_log.h"

#include <windows.h>

#include <string>

#include "log/log_escape.h"
#include "log/test_clock.h"
#include "log/utf8_text.h"

namespace zelko::fakebrowser {

namespace {

using testclock::nowMicroseconds;

std::wstring logPath() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"ZELKO_FAKE_BROWSER_LOG", path, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
        return path;
    }
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring beside = path;
    return beside.substr(0, beside.find_last_of(L"\\/") + 1) + L"fakebrowser.log";
}

// Appends lines to the log. Several fake browsers may start within a few milliseconds of each other
// and write at once; a named mutex keeps their appends whole and apart.
void writeLines(const std::string& lines) {
    HANDLE guard = CreateMutexW(nullptr, FALSE, L"ZelkoFakeBrowserLogAppend");
    const DWORD waited = guard != nullptr ? WaitForSingleObject(guard, 5000) : WAIT_FAILED;
    const bool guarded = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    HANDLE file = CreateFileW(logPath().c_str(), FILE_APPEND_DATA,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, lines.data(), static_cast<DWORD>(lines.size()), &written, nullptr);
        CloseHandle(file);
    }
    if (guarded) {
        ReleaseMutex(guard);
    }
    if (guard != nullptr) {
        CloseHandle(guard);
    }
}

std::string eventLine(const std::wstring& event, const std::vector<std::wstring>& fields) {
    std::string line = std::to_string(nowMicroseconds()) + " " +
                       std::to_string(GetCurrentProcessId()) + " " + testlog::utf8Of(event);
    for (const std::wstring& field : fields) {
        line += " " + testlog::escapeLogField(testlog::utf8Of(field), testlog::Spaces::Escape);
    }
    return line + "\n";
}

}  // namespace

void logEvent(const std::wstring& event, const std::vector<std::wstring>& fields) {
    writeLines(eventLine(event, fields));
}

// A start and its arguments go into the log in one append.
void logStart(const std::wstring& exeName, const std::vector<std::wstring>& arguments) {
    std::string lines = eventLine(L"start", {exeName, std::to_wstring(arguments.size())});
    for (const std::wstring& argument : arguments) {
        lines += eventLine(L"arg", {argument});
    }
    writeLines(lines);
}

}  // namespace zelko::fakebrowser
