#include "support/tray_menu.h"

#include <shellapi.h>

#include "support/resident_program.h"
#include "support/wait.h"
#include "support/window_search.h"

namespace zelko::test {

namespace {

HWND findPopupMenu(DWORD processId) {
    return findWindowOf(processId, L"#32768", nullptr, Visibility::VisibleOnly);
}

void pressKey(HWND window, UINT key) {
    PostMessageW(window, WM_KEYDOWN, key, 0);
    PostMessageW(window, WM_KEYUP, key, 0xC0000000);
}

}  // namespace

bool popupMenuOpen(DWORD processId) {
    return findPopupMenu(processId) != nullptr;
}

HWND waitForPopupMenu(DWORD processId, std::chrono::milliseconds timeout) {
    HWND menu = nullptr;
    waitUntil([&] { return (menu = findPopupMenu(processId)) != nullptr; }, timeout);
    return menu;
}

bool chooseTrayMenuItem(HWND trayWindow, DWORD processId, int index) {
    PostMessageW(trayWindow, kTrayIconMessage, 1, WM_LBUTTONDOWN);
    HWND menu = waitForPopupMenu(processId, 5s);
    if (!menu) {
        return false;
    }
    for (int i = 0; i <= index; ++i) {
        pressKey(menu, VK_DOWN);
    }
    pressKey(menu, VK_RETURN);
    return true;
}

void dismissPopupMenu(HWND menu) {
    pressKey(menu, VK_ESCAPE);
}

bool trayIconShown(HWND trayWindow) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = trayWindow;
    data.uID = 1;
    data.uFlags = 0;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

}  // namespace zelko::test
