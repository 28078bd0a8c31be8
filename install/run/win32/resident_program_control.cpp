#include "install/run/win32/resident_program_control.h"

#include <string>

#include "common/win32/text.h"
#include "input/tray/win32/tray_messages.h"
#include "install/run/close_resident.h"

namespace zelko {

namespace {

struct TrayWindow {
    HWND window = nullptr;
    UniqueHandle process;
};

// The base name of the process's executable, or empty when it cannot be asked.
std::wstring imageBaseName(HANDLE process) {
    std::wstring path(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD length = static_cast<DWORD>(path.size());
        if (QueryFullProcessImageNameW(process, 0, path.data(), &length)) {
            path.resize(length);
            return path.substr(path.find_last_of(L'\\') + 1);
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
            break;
        }
        path.resize(path.size() * 2);
    }
    return {};
}

TrayWindow findTrayWindow() {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, kTrayWindowClass, nullptr)) != nullptr) {
        DWORD processId = 0;
        if (GetParent(window) != nullptr || !GetWindowThreadProcessId(window, &processId)) {
            continue;
        }
        UniqueHandle process(
            OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, processId));
        if (process && isResidentProgramImageName(toU16(imageBaseName(process.get())))) {
            return {window, std::move(process)};
        }
    }
    return {};
}

}  // namespace

bool Win32ResidentProgramControl::findRunning() {
    TrayWindow found = findTrayWindow();
    window_ = found.window;
    process_ = std::move(found.process);
    return window_ != nullptr;
}

void Win32ResidentProgramControl::askToClose() {
    PostMessageW(window_, WM_CLOSE_REQUEST, 0, 0);
}

bool Win32ResidentProgramControl::hasClosed() {
    if (findTrayWindow().window) {
        return false;
    }
    return !process_ || WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0;
}

}  // namespace zelko
