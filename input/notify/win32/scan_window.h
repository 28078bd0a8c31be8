#pragma once
// The scan notification window: a picture in the middle of the screen that fades out.

#include <windows.h>

#include <atomic>
#include <cstdint>

#include "common/win32/win32_mutex.h"

namespace zelko {

struct ScanWindow {
    HWND window = nullptr;
    // 0 = idle (hidden); 1 to 60 = ticks since shown. Changed under `lock`; the fade timer looks at
    // it without the lock to skip its idle ticks.
    std::atomic<std::int32_t> fadeTick{0};
    HINSTANCE instance = nullptr;
    UINT timerId = 0;  // the fade timer while a notification runs; 0 = none (under `lock`)
    Win32Mutex lock;   // guards fadeTick
};

int createScanWindow(ScanWindow& record, HINSTANCE instance, HWND owner);
// Shows the notification unless one is running. Called on the reader thread; never waits for the
// main thread, which shows the window when it gets to it.
void showScanWindow(ScanWindow& record);
// Stops the fade timer; no tick runs once this has returned.
void destroyScanWindow(ScanWindow& record);

}  // namespace zelko
