#pragma once
// The scan notification window: a picture in the middle of the screen that fades out.

#include <windows.h>

#include <cstdint>

#include "common/win32/win32_mutex.h"

namespace zelko {

struct ScanWindow {
    HWND window = nullptr;
    std::int32_t fadeTick = 0;  // 0 = idle (hidden); 1 to 60 = ticks since shown
    HINSTANCE instance = nullptr;
    UINT timerId = 0;
    Win32Mutex lock;  // guards fadeTick
};

int createScanWindow(ScanWindow& record, HINSTANCE instance, HWND owner);
// Shows the notification unless one is running. Called on the reader thread.
void showScanWindow(ScanWindow& record);
void destroyScanWindow(ScanWindow& record);

}  // namespace zelko
