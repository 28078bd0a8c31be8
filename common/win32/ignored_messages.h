#pragma once
// The messages that the program's own hidden and notification windows answer with 0, skipping the
// default processing: no activation, keys, clicks, scrolling or dropped files reach them.

#include <windows.h>

namespace zelko {

inline bool isIgnoredWindowMessage(UINT message) {
    switch (message) {
        case WM_ACTIVATEAPP:
        case WM_CREATE:
        case WM_ERASEBKGND:
        case WM_KEYDOWN:
        case WM_COMMAND:
        case WM_HSCROLL:
        case WM_VSCROLL:
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_DROPFILES:
            return true;
        default:
            return false;
    }
}

}  // namespace zelko
