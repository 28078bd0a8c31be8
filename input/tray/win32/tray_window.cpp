#include "tray/win32/tray_window.h"

#include <shellapi.h>

#include "about/win32/about_dialog.h"
#include "app/win32/program_state.h"
#include "app/win32/test_hooks.h"
#include "autologin/win32/auto_login_worker.h"
#include "common/win32/ignored_messages.h"
#include "common/win32/text.h"
#include "login_window/win32/login_input_window.h"
#include "resources/resource_ids.h"
#include "settings_dialog/win32/settings_dialog.h"
#include "tray/tray_state.h"
#include "tray/win32/message_filter.h"
#include "tray/win32/scan_routing.h"

namespace zelko {

namespace {

constexpr UINT kTrayIconId = 1;
constexpr wchar_t kInitialTip[] = L"ZelkoInput";

NOTIFYICONDATAW iconData(UINT flags) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = programState().tray.window;
    data.uID = kTrayIconId;
    data.uFlags = flags;
    data.uCallbackMessage = WM_TRAYICON;
    return data;
}

HICON trayIcon(TrayState state) {
    return programState().tray.icons[static_cast<int>(state)];
}

void addTrayIcon() {
    NOTIFYICONDATAW data = iconData(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    data.hIcon = trayIcon(TrayState::NotAttached);
    lstrcpynW(data.szTip, kInitialTip, ARRAYSIZE(data.szTip));
    Shell_NotifyIconW(NIM_ADD, &data);
    programState().tray.iconAdded = 1;
}

void removeTrayIcon() {
    NOTIFYICONDATAW data = iconData(0);
    Shell_NotifyIconW(NIM_DELETE, &data);
}

// The icon again, after the shell restarted or a log-off was cancelled: added with its first
// picture; forgetting the state shown makes the next tick put the pen's real state on it.
void addTrayIconAgain(HWND trayWindow) {
    addTrayIcon();
    programState().tray.trayState = -1;
    PostMessageW(trayWindow, WM_PEN_EVENT, kPenLinkNotice, 0);
}

void showTrayState(TrayState state) {
    TrayWindowRecord& tray = programState().tray;
    if (tray.trayState == static_cast<std::int32_t>(state)) {
        return;
    }
    NOTIFYICONDATAW data = iconData(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    data.hIcon = trayIcon(state);
    lstrcpynW(data.szTip, wideText(trayStateLook(state).tip), ARRAYSIZE(data.szTip));
    Shell_NotifyIconW(NIM_MODIFY, &data);
    tray.trayState = static_cast<std::int32_t>(state);
    hooks::trayStateShown(tray.trayState);
}

void refreshTrayState() {
    PenReader* reader = programState().reader.get();
    if (!reader) {
        return;
    }
    PenStatus status;
    {
        MutexLock lock(reader->lock);
        status = penStatusOf(*reader);
    }
    // The shell is asked without the reader's lock, so the reader thread never waits for it.
    showTrayState(chooseTrayState(status));
}

void runTrayDialog(HWND trayWindow, int (*dialog)(HWND owner)) {
    TrayWindowRecord& tray = programState().tray;
    tray.dialogOpen = 1;
    dialog(trayWindow);
    tray.dialogOpen = 0;
}

void showTrayMenu(HWND trayWindow) {
    TrayWindowRecord& tray = programState().tray;
    if (tray.dialogOpen) {
        SetForegroundWindow(tray.dialogWindow);
        return;
    }
    if (bringLoginWindowForward()) {
        return;
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    HMENU menu = LoadMenuW(programState().instance, MAKEINTRESOURCEW(IDR_TRAY_MENU));
    if (!menu) {
        return;
    }
    SetForegroundWindow(trayWindow);
    UINT command = static_cast<UINT>(TrackPopupMenuEx(GetSubMenu(menu, 0), TPM_RETURNCMD, cursor.x,
                                                      cursor.y, trayWindow, nullptr));
    // Without this the menu may stay open when the user clicks elsewhere.
    PostMessageW(trayWindow, WM_NULL, 0, 0);
    DestroyMenu(menu);
    switch (command) {
        case ID_MENU_EXIT:
            PostMessageW(trayWindow, WM_CLOSE, 0, 0);
            break;
        case ID_MENU_SETTINGS:
            runTrayDialog(trayWindow, runSettingsDialog);
            break;
        case ID_MENU_ABOUT:
            runTrayDialog(trayWindow, runAboutDialog);
            break;
        default:
            break;
    }
}

void handlePenEvent(HWND trayWindow, WPARAM wParam) {
    ProgramState& state = programState();
    if (state.reader) {
        MutexLock lock(state.reader->lock);
        const std::string* newest = state.reader->scans.newest();
        hooks::penEventReceived(static_cast<unsigned>(wParam), newest ? *newest : std::string());
    }
    if (wParam == kPenScanReady && state.tray.closing == 0) {
        routeNewScans(trayWindow);
    }
}

// The close request (the installer's, or the menu's exit). The messages still queued before the
// quit message are dispatched, and the workers may post more until they have ended: from here on
// none of them is acted on, so no browser opens and no login window or box comes.
void closeProgram() {
    TrayWindowRecord& tray = programState().tray;
    if (tray.closing != 0) {
        return;
    }
    tray.closing = 1;
    hooks::closeRequested();
    removeTrayIcon();
    askAutoLoginToStop();
    abandonUpdateCheck();
    PostQuitMessage(0);
}

LRESULT CALLBACK trayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TrayWindowRecord& tray = programState().tray;
    if (isIgnoredWindowMessage(message)) {
        return 0;
    }
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            BeginPaint(window, &paint);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_CLOSE:
        case WM_CLOSE_REQUEST:
            closeProgram();
            return 0;
        case WM_QUERYENDSESSION:
            removeTrayIcon();
            return TRUE;
        case WM_ENDSESSION:
            if (!wParam) {
                addTrayIconAgain(window);  // the log-off was cancelled: the program stays
            }
            return 0;
        case WM_TRAYICON:
            if (tray.closing == 0 && (lParam == WM_LBUTTONDOWN || lParam == WM_RBUTTONDOWN)) {
                showTrayMenu(window);
            }
            return 0;
        case WM_PEN_EVENT:
            handlePenEvent(window, wParam);
            return 0;
        case WM_SHOW_LOGIN_WINDOW:
            if (tray.closing == 0) {
                showRequestedLoginWindow(window);
            }
            return 0;
        case WM_OPEN_PENDING_URL:
            if (tray.closing == 0) {
                openPendingAddress(window);
            }
            return 0;
        case WM_TRAY_TICK:
            refreshTrayState();
            return 0;
        default:
            break;
    }
    if (message == tray.taskbarCreatedMessage && tray.taskbarCreatedMessage != 0 &&
        tray.iconAdded) {
        addTrayIconAgain(window);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HICON loadTrayIcon(int resource) {
    return static_cast<HICON>(LoadImageW(programState().instance, MAKEINTRESOURCEW(resource),
                                         IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
}

}  // namespace

int createTrayWindow() {
    ProgramState& state = programState();
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = trayWindowProc;
    windowClass.hInstance = state.instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kTrayWindowClass;
    RegisterClassExW(&windowClass);

    state.tray.window =
        CreateWindowExW(WS_EX_TOOLWINDOW, kTrayWindowClass, kTrayWindowTitle, WS_POPUP, 0, 0, 0, 0,
                        nullptr, nullptr, state.instance, nullptr);
    for (TrayState trayState : {TrayState::Usable, TrayState::NoAccess, TrayState::NotAttached}) {
        state.tray.icons[static_cast<int>(trayState)] =
            loadTrayIcon(trayStateLook(trayState).iconResource);
    }
    addTrayIcon();
    state.tray.taskbarCreatedMessage = RegisterWindowMessageW(L"TaskbarCreated");
    // An elevated instance hears the shell's restart too; refused or missing, it runs on without.
    allowMessageFromLowerIntegrity(state.tray.window, state.tray.taskbarCreatedMessage);
    return 1;
}

}  // namespace zelko
