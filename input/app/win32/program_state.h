#pragma once
// The resident program's one global state object.

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "autologin/win32/auto_login_state.h"
#include "common/win32/win32_mutex.h"
#include "login_window/win32/login_input_window.h"
#include "notify/win32/scan_window.h"
#include "pen/scan_cursor.h"
#include "pen/win32/pen_reader.h"
#include "settings/settings.h"

namespace zelko {

struct TrayWindowRecord {
    HWND window = nullptr;
    std::int32_t dialogOpen = 0;
    HWND dialogWindow = nullptr;  // set by the running dialog itself
    std::int32_t trayState = -1;  // the TrayState shown; -1 before the first update
    UINT taskbarCreatedMessage = 0;
    std::int32_t iconAdded = 0;
    std::int32_t closing = 0;      // 1 from the close request on: nothing more is acted on
    std::array<HICON, 3> icons{};  // indexed by TrayState
    ScanCursor scanCursor;         // the scans of the reader's list that have had their turn
};

struct ProgramState {
    ProgramState();
    ~ProgramState();
    ProgramState(const ProgramState&) = delete;
    ProgramState& operator=(const ProgramState&) = delete;

    HINSTANCE instance = nullptr;
    TrayWindowRecord tray;
    ScanWindow scanWindow;
    LoginInputWindow loginWindow;
    Win32Mutex settingsLock;
    std::unique_ptr<PenReader> reader;
    Settings settings;
    AutoLoginState autoLogin;
    UINT timerId = 0;
    UINT timerResolution = 0;
};

ProgramState& programState();

}  // namespace zelko
