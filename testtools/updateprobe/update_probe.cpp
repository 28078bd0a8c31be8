// Stands in for a downloaded installer: appends one line "ran <its own path>" to the file named by
// the environment variable ZELKO_UPDATE_PROBE_LOG (UTF-8), and ends. Shows no window.

#include <windows.h>

#include <string>

#include "log/utf8_text.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    wchar_t log[1024];
    const DWORD length = GetEnvironmentVariableW(L"ZELKO_UPDATE_PROBE_LOG", log, 1024);
    if (length == 0 || length >= 1024) {
        return 1;
    }
    std::wstring self(32768, L'\0');
    self.resize(GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
    const std::string line = "ran " + zelko::testlog::utf8Of(self) + "\n";
    HANDLE file = CreateFileW(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 1;
    }
    DWORD written = 0;
    const BOOL ok =
        WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == line.size() ? 0 : 1;
}
