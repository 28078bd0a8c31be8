// Finding an open window of the default browser: processes by their first module's name, then
// their parentless top-level windows, then the choice among them, passing over the windows of a
// thread that does not answer.

#include "browser/win32/browser_window.h"

#include <psapi.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "browser/window_choice.h"
#include "common/win32/unique_handle.h"

namespace zelko {

namespace {

constexpr DWORD kMaxProcesses = 1024;
constexpr int kNameUnits = 260;
constexpr int kWindowTextUnits = 1024;
// How long a browser window's thread may take to answer before the browser counts as hung.
constexpr UINT kAnswerTimeoutMs = 200;

std::u16string processModuleName(DWORD processId) {
    UniqueHandle process(
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    if (!process) {
        return std::u16string();
    }
    HMODULE firstModule = nullptr;
    DWORD needed = 0;
    if (!EnumProcessModules(process.get(), &firstModule, sizeof firstModule, &needed)) {
        return std::u16string();
    }
    std::array<wchar_t, kNameUnits> name{};
    const DWORD length = GetModuleBaseNameW(process.get(), firstModule, name.data(), kNameUnits);
    return std::u16string(name.data(), name.data() + std::min<DWORD>(length, kNameUnits - 1));
}

struct TopLevelWindow {
    HWND window;
    DWORD processId;
    DWORD threadId;
};

std::vector<TopLevelWindow> topLevelWindows() {
    std::vector<TopLevelWindow> windows;
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            TopLevelWindow entry{window, 0, 0};
            entry.threadId = GetWindowThreadProcessId(window, &entry.processId);
            reinterpret_cast<std::vector<TopLevelWindow>*>(context)->push_back(entry);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::u16string classNameOf(HWND window) {
    std::array<wchar_t, kWindowTextUnits> text{};
    const int length = GetClassNameW(window, text.data(), kWindowTextUnits);
    return std::u16string(text.data(), text.data() + std::max(length, 0));
}

std::u16string titleOf(HWND window) {
    std::array<wchar_t, kWindowTextUnits> text{};
    const int length = GetWindowTextW(window, text.data(), kWindowTextUnits);
    return std::u16string(text.data(), text.data() + std::max(length, 0));
}

// True when the window's thread takes a message within the time-out. A hung browser is passed over
// rather than waited for: every later call on its windows could block this thread.
bool windowAnswers(HWND window) {
    if (IsHungAppWindow(window)) {
        return false;
    }
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                               kAnswerTimeoutMs, &result) != 0;
}

}  // namespace

HWND findBrowserWindow(BrowserKind kind, DWORD* processId, DWORD* threadId) {
    std::vector<DWORD> processIds(kMaxProcesses);
    DWORD bytes = 0;
    if (!EnumProcesses(processIds.data(), kMaxProcesses * sizeof(DWORD), &bytes)) {
        return nullptr;
    }
    processIds.resize(bytes / sizeof(DWORD));

    std::vector<BrowserWindowRecord> records;
    std::vector<TopLevelWindow> windows;
    bool windowsListed = false;
    for (DWORD id : processIds) {
        const std::u16string name = processModuleName(id);
        if (!isProcessOfBrowser(kind, name)) {
            continue;
        }
        if (!windowsListed) {
            windows = topLevelWindows();
            windowsListed = true;
        }
        for (const TopLevelWindow& window : windows) {
            if (window.processId != id || GetParent(window.window) != nullptr) {
                continue;
            }
            BrowserWindowRecord record;
            record.processName = name;
            record.processId = window.processId;
            record.threadId = window.threadId;
            record.window = reinterpret_cast<std::uintptr_t>(window.window);
            record.visible = IsWindowVisible(window.window) != FALSE;
            record.windowClass = classNameOf(window.window);
            record.windowTitle = titleOf(window.window);
            records.push_back(std::move(record));
        }
    }

    for (;;) {
        const auto chosen = chooseBrowserWindow(kind, records);
        if (!chosen) {
            return nullptr;
        }
        const BrowserWindowRecord record = records[*chosen];
        HWND window = reinterpret_cast<HWND>(record.window);
        if (windowAnswers(window)) {
            if (processId) {
                *processId = record.processId;
            }
            if (threadId) {
                *threadId = record.threadId;
            }
            return window;
        }
        // None of that thread's windows would answer either.
        records.erase(std::remove_if(records.begin(), records.end(),
                                     [&](const BrowserWindowRecord& other) {
                                         return other.threadId == record.threadId;
                                     }),
                      records.end());
    }
}

}  // namespace zelko
