#pragma once
// The login input window: asks the user for the login values of one site, built at run time from
// the site's definition, on the main thread. The auto-login worker waits for it through inputState.

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <vector>

#include "autologin/login_record.h"
#include "common/win32/gdi_object.h"

namespace zelko {

constexpr wchar_t kLoginWindowClass[] = L"ZelkaInput INPUTWINDOW";
constexpr int kLoginButtonId = 1000;
constexpr int kCancelButtonId = 1001;

struct LoginInputWindow {
    HWND window = nullptr;          // null while closed
    GdiObject<HBITMAP> background;  // the client area's picture with the captions
    HINSTANCE instance = nullptr;
    // Shared with the worker: 0 closed, 1 requested by the worker, 2 open.
    std::atomic<std::int32_t> inputState{0};
    // 1 when the login button took the values over; always set before inputState becomes 0.
    std::atomic<std::int32_t> inputAccepted{0};
    // The worker's candidate record: its fields are shown and the values written into it. It
    // stays alive until inputState is 0.
    std::atomic<LoginRecord*> inputRecord{nullptr};
    std::int32_t labelWidth = 0;
    std::int32_t fieldCount = 0;
    std::vector<HWND> edits;  // one per field; null for the fields not shown
    HWND loginButton = nullptr;
    HWND cancelButton = nullptr;
    // "ＭＳ ゴシック", height 12: weight 400 for the edit boxes, 700 for captions and buttons.
    GdiObject<HFONT> normalFont;
    GdiObject<HFONT> boldFont;
};

// WM_SHOW_LOGIN_WINDOW: opens the window for the requested record when inputState is 1, owned by
// `owner`. A window that cannot be made ends the input as cancelled, so the worker goes on.
void showRequestedLoginWindow(HWND owner);

// A tray click while the input is requested or open brings the window forward; true then.
bool bringLoginWindowForward();

// Tab, Enter (the login button) and Esc (cancel) for the open window; true when the message was
// handled here and must not be dispatched again.
bool handleLoginWindowMessage(MSG& message);

// Ends a requested or open input without taking the values (shut-down).
void cancelLoginInput();

}  // namespace zelko
