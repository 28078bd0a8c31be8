// Looks like the resident program to the installer (a top-level window of the tray window class in
// a process whose executable is named ZelkoInput.exe, once copied there) but ignores the close
// request. Each close request it receives appends the line "close-request" to the file named by the
// environment variable ZELKO_STUBBORN_LOG, if set. It ends on WM_CLOSE.

#include <windows.h>

#include "tray/win32/tray_messages.h"

namespace {

void logCloseRequest() {
    wchar_t log[1024];
    const DWORD length = GetEnvironmentVariableW(L"ZELKO_STUBBORN_LOG", log, 1024);
    if (length == 0 || length >= 1024) {
        return;
    }
    HANDLE file = CreateFileW(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    static const char kLine[] = "close-request\n";
    DWORD written = 0;
    WriteFile(file, kLine, sizeof kLine - 1, &written, nullptr);
    CloseHandle(file);
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case zelko::WM_CLOSE_REQUEST:
            logCloseRequest();
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = zelko::kTrayWindowClass;
    if (!RegisterClassExW(&windowClass)) {
        return 1;
    }
    // Hidden, top-level and without a parent, as the resident program's tray window.
    HWND window =
        CreateWindowExW(WS_EX_TOOLWINDOW, zelko::kTrayWindowClass, zelko::kTrayWindowTitle,
                        WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
