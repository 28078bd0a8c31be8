// The scan notification window. The reader thread and the fade timer never wait for the main
// thread, which owns the window: they change the fade under the record's lock, set the window's
// opacity (which the system applies without the window's thread), and post the showing and the
// hiding to the window, whose procedure carries them out on the main thread. The fade timer runs
// from a notification's start until the window has been hidden, so an idle program is not woken
// 60 times a second.

#include "notify/win32/scan_window.h"

#include <windows.h>
#include <mmsystem.h>

#include "common/win32/ignored_messages.h"
#include "notify/fade_schedule.h"
#include "resources/resource_ids.h"

namespace zelko {

namespace {

constexpr wchar_t kScanWindowClass[] = L"ZelkaInput ScanWindow";
constexpr wchar_t kScanWindowTitle[] = L"ZelkaInput";
constexpr int kWidth = 200;
constexpr int kHeight = 150;
constexpr UINT kFadePeriodMs = 16;
constexpr UINT kFadeResolutionMs = 15;
// Posted to the window: show it centred (unless the notification has ended meanwhile) / hide it
// (unless a new one has begun meanwhile).
constexpr UINT kShowNotificationMessage = WM_APP + 1;
constexpr UINT kHideNotificationMessage = WM_APP + 2;

ScanWindow* recordOf(HWND window) {
    return reinterpret_cast<ScanWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// On the main thread: centres the window on the primary screen and shows it without activating it.
void showCentred(ScanWindow& record) {
    {
        MutexLock lock(record.lock);
        if (record.fadeTick == 0) {
            return;  // the fade ended before the main thread got here
        }
    }
    RECT bounds{};
    GetWindowRect(record.window, &bounds);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    MoveWindow(record.window, left, top, width, height, FALSE);
    ShowWindow(record.window, SW_SHOWNOACTIVATE);
}

// Stops the fade timer; no tick runs once this has returned. Not called with the lock held: a tick
// that runs meanwhile takes it.
void stopFadeTimer(ScanWindow& record) {
    UINT timer = 0;
    {
        MutexLock lock(record.lock);
        timer = record.timerId;
        record.timerId = 0;
    }
    if (timer != 0) {
        timeKillEvent(timer);
    }
}

// On the main thread, once the fade has ended: hides the window and stops the timer.
void hideUnlessShowing(ScanWindow& record) {
    {
        MutexLock lock(record.lock);
        if (record.fadeTick != 0) {
            return;  // a new notification began after the hiding was posted
        }
    }
    ShowWindow(record.window, SW_HIDE);
    stopFadeTimer(record);
}

void paintScanWindow(HWND window) {
    ScanWindow* record = recordOf(window);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (record) {
        HBITMAP picture = static_cast<HBITMAP>(LoadImageW(
            record->instance, MAKEINTRESOURCEW(IDB_SCAN_NOTIFICATION), IMAGE_BITMAP, 0, 0, 0));
        if (picture) {
            BITMAP info{};
            GetObjectW(picture, sizeof info, &info);
            HDC memory = CreateCompatibleDC(dc);
            HGDIOBJ previous = SelectObject(memory, picture);
            BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
            SelectObject(memory, previous);
            DeleteDC(memory);
            DeleteObject(picture);
        }
    }
    EndPaint(window, &paint);
}

LRESULT CALLBACK scanWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            paintScanWindow(window);
            return 0;
        case WM_CLOSE:  // the notification cannot be closed; only its fade ends it
            return 0;
        case kShowNotificationMessage:
        case kHideNotificationMessage:
            if (ScanWindow* record = recordOf(window)) {
                if (message == kShowNotificationMessage) {
                    showCentred(*record);
                } else {
                    hideUnlessShowing(*record);
                }
            }
            return 0;
        default:
            if (isIgnoredWindowMessage(message)) {
                return 0;
            }
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

void CALLBACK scanWindowTick(UINT, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
    auto& record = *reinterpret_cast<ScanWindow*>(user);
    // Idle (nearly always): nothing to do, and no lock taken. A notification that begins just now
    // starts its fade one tick later.
    if (record.fadeTick.load(std::memory_order_relaxed) == 0) {
        return;
    }
    MutexLock lock(record.lock);
    FadeStep step = advanceFade(record.fadeTick);
    if (step.hide) {
        PostMessageW(record.window, kHideNotificationMessage, 0, 0);
    } else if (step.setAlpha) {
        SetLayeredWindowAttributes(record.window, 0, step.alpha, LWA_ALPHA);
    }
    record.fadeTick = step.nextTick;
}

}  // namespace

int createScanWindow(ScanWindow& record, HINSTANCE instance, HWND owner) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = scanWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kScanWindowClass;
    RegisterClassExW(&windowClass);

    record.window = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST,
                                    kScanWindowClass, kScanWindowTitle, WS_POPUP, 0, 0, kWidth,
                                    kHeight, owner, nullptr, instance, nullptr);
    SetLayeredWindowAttributes(record.window, 0, 255, LWA_ALPHA);
    record.instance = instance;
    SetWindowLongPtrW(record.window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&record));
    return 1;
}

void showScanWindow(ScanWindow& record) {
    MutexLock lock(record.lock);
    if (record.fadeTick != 0 || record.window == nullptr) {
        return;  // a notification in progress is neither restarted nor lengthened
    }
    if (record.timerId == 0) {
        // TIME_KILL_SYNCHRONOUS: once the timer has been killed no tick runs any more, so the
        // record and its lock can go at exit.
        record.timerId = timeSetEvent(
            kFadePeriodMs, kFadeResolutionMs, scanWindowTick, reinterpret_cast<DWORD_PTR>(&record),
            TIME_PERIODIC | TIME_CALLBACK_FUNCTION | TIME_KILL_SYNCHRONOUS);
        if (record.timerId == 0) {
            return;  // without the fade the picture would never go: not shown
        }
    }
    // Opaque again (the last fade ended at 0), then shown by the main thread when it gets there.
    SetLayeredWindowAttributes(record.window, 0, 255, LWA_ALPHA);
    if (PostMessageW(record.window, kShowNotificationMessage, 0, 0)) {
        record.fadeTick = 1;
    }
}

void destroyScanWindow(ScanWindow& record) {
    stopFadeTimer(record);
}

}  // namespace zelko
