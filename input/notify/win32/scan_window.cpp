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

void paintScanWindow(HWND window) {
    auto* record = reinterpret_cast<ScanWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
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
        default:
            if (isIgnoredWindowMessage(message)) {
                return 0;
            }
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

void CALLBACK scanWindowTick(UINT, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
    auto& record = *reinterpret_cast<ScanWindow*>(user);
    MutexLock lock(record.lock);
    FadeStep step = advanceFade(record.fadeTick);
    if (step.hide) {
        ShowWindow(record.window, SW_HIDE);
        SetLayeredWindowAttributes(record.window, 0, 255, LWA_ALPHA);
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
    record.timerId =
        timeSetEvent(kFadePeriodMs, kFadeResolutionMs, scanWindowTick,
                     reinterpret_cast<DWORD_PTR>(&record), TIME_PERIODIC | TIME_CALLBACK_FUNCTION);
    return 1;
}

void showScanWindow(ScanWindow& record) {
    {
        MutexLock lock(record.lock);
        if (record.fadeTick != 0) {
            return;
        }
    }
    RECT bounds{};
    GetWindowRect(record.window, &bounds);
    int width = bounds.right - bounds.left;
    int height = bounds.bottom - bounds.top;
    int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    MoveWindow(record.window, left, top, width, height, FALSE);
    ShowWindow(record.window, SW_SHOWNOACTIVATE);
    MutexLock lock(record.lock);
    record.fadeTick = 1;
}

void destroyScanWindow(ScanWindow& record) {
    if (record.timerId != 0) {
        timeKillEvent(record.timerId);
        record.timerId = 0;
    }
}

}  // namespace zelko
