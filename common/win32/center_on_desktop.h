#pragma once
// Moves a window to the middle of the desktop, keeping its size, and shows it.

#include <windows.h>

namespace zelko {

inline void CenterOnDesktop(HWND window) {
    RECT desktop{}, bounds{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    GetWindowRect(window, &bounds);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    SetWindowPos(window, nullptr, (desktop.right - width) / 2, (desktop.bottom - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
}

}  // namespace zelko
