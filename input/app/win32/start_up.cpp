#include "app/win32/start_up.h"

#include <windows.h>
#include <mmsystem.h>

#include "about/win32/about_dialog.h"
#include "app/win32/program_state.h"
#include "app/win32/scan_start.h"
#include "autologin/win32/auto_login_worker.h"
#include "login_window/win32/login_input_window.h"
#include "settings/win32/settings_file.h"
#include "tray/win32/tray_window.h"

namespace zelko {

namespace {

constexpr wchar_t kInstanceMutexName[] = L"KVNZELKOMUTEX787463b739a8fb01167720d0e056650f";
constexpr UINT kTrayTickPeriodMs = 60;

void CALLBACK postTrayTick(UINT, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR) {
    PostMessageW(programState().tray.window, WM_TRAY_TICK, 0, 0);
}

}  // namespace

bool startUp(HINSTANCE instance) {
    ProgramState& state = programState();
    loadSettings();
    state.instance = instance;

    state.reader = std::make_unique<PenReader>();
    resetReader(*state.reader);
    state.reader->scans.setCapacity(kScanListCapacity);

    HANDLE instanceMutex = CreateMutexW(nullptr, TRUE, kInstanceMutexName);
    DWORD error = GetLastError();
    if (instanceMutex == nullptr) {
        return false;
    }
    if (error == ERROR_ALREADY_EXISTS) {
        CloseHandle(instanceMutex);
        return false;
    }
    state.reader->instanceMutex = instanceMutex;

    createTrayWindow();
    state.reader->targetWindow = state.tray.window;
    state.reader->notifyMessage = WM_PEN_EVENT;
    state.reader->onScanStart = onScanStart;
    state.reader->scanStartContext = &state;

    createScanWindow(state.scanWindow, instance, state.tray.window);
    startReader(*state.reader);

    TIMECAPS caps{};
    timeGetDevCaps(&caps, sizeof caps);
    timeBeginPeriod(caps.wPeriodMin);
    state.timerResolution = caps.wPeriodMin;
    state.timerId = timeSetEvent(kTrayTickPeriodMs, state.timerResolution, postTrayTick, 0,
                                 TIME_PERIODIC | TIME_CALLBACK_FUNCTION);
    return true;
}

int runMessageLoop() {
    MSG message;
    for (;;) {
        if (PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
                break;
            }
            // Tab, Enter and Esc in the login input window, the one window that is not modal.
            if (handleLoginWindowMessage(message)) {
                continue;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        } else {
            WaitMessage();
        }
    }
    return static_cast<int>(message.wParam);
}

void shutDown() {
    ProgramState& state = programState();
    finishUpdateChecks();
    // The worker uses the scan list and the records up to its last step.
    stopAutoLogin();
    if (state.reader) {
        resetReader(*state.reader);
        state.reader.reset();
    }
    state.autoLogin.records.empty();
}

}  // namespace zelko
