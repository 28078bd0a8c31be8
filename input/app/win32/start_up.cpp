#include "app/win32/start_up.h"

#include <windows.h>
#include <mmsystem.h>
#include <objbase.h>

#include <atomic>
#include <cstdint>

#include "about/win32/about_dialog.h"
#include "app/win32/program_state.h"
#include "app/win32/scan_start.h"
#include "autologin/win32/auto_login_worker.h"
#include "login_window/win32/login_input_window.h"
#include "app/win32/test_hooks.h"
#include "pen/win32/hid_interfaces.h"
#include "settings/win32/settings_file.h"
#include "tray/win32/tray_window.h"

namespace zelko {

namespace {

constexpr wchar_t kInstanceMutexName[] = L"KVNZELKOMUTEX787463b739a8fb01167720d0e056650f";
constexpr UINT kTrayTickPeriodMs = 60;
// The tick only refreshes the icon: it needs no finer timer than the fade's.
constexpr UINT kTrayTickResolutionMs = 15;
// How long shut-down waits for a worker to end once it has been told to stop. Only a request that
// waits for a server takes longer; the installer gives the whole program 5 s to end.
constexpr std::uint32_t kNetworkStopPatienceMs = 1000;

// True while this thread holds a COM initialisation of its own (CoUninitialize at shut-down).
bool comInitialised = false;

// Posts WM_TRAY_TICK when the reader has posted a notice since the last tick (it posts one after
// every change of the pen state that the icon shows) or when the icon shows no state yet (at the
// start and after a restart of the shell). Other ticks would change nothing and would only wake the
// main thread 16 times a second for the whole run.
void CALLBACK postTrayTick(UINT, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR) {
    static std::uint32_t noticesSeen = 0;  // touched by the timer thread only
    static bool anySeen = false;
    ProgramState& state = programState();
    const std::uint32_t notices =
        state.reader ? state.reader->notices.load(std::memory_order_relaxed) : 0;
    const bool iconUnset = __atomic_load_n(&state.tray.trayState, __ATOMIC_RELAXED) < 0;
    if (anySeen && notices == noticesSeen && !iconUnset) {
        return;
    }
    anySeen = true;
    noticesSeen = notices;
    PostMessageW(state.tray.window, WM_TRAY_TICK, 0, 0);
}

void stopTrayTick() {
    ProgramState& state = programState();
    if (state.timerId != 0) {
        timeKillEvent(state.timerId);
        state.timerId = 0;
    }
}

}  // namespace

bool startUp(HINSTANCE instance) {
    ProgramState& state = programState();
    // Apartment-threaded COM on the main thread, which asks the shell to open addresses: some
    // shell handlers need it. A failure (COM already set up otherwise) leaves what is there.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    comInitialised = SUCCEEDED(com);
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
    // The reader looks for a pen when a HID interface arrives; without the notices (a failure is
    // not fatal) its slow round still finds one.
    watchHidArrivals(state.reader->arrivalEvent.get());
    startReader(*state.reader);

    // The system timer resolution is left as it is: every wait of the program is on an event or a
    // message, and a raised resolution would cost every program of the PC power for the whole run.
    state.timerResolution = kTrayTickResolutionMs;
    state.timerId = timeSetEvent(kTrayTickPeriodMs, state.timerResolution, postTrayTick, 0,
                                 TIME_PERIODIC | TIME_CALLBACK_FUNCTION | TIME_KILL_SYNCHRONOUS);
    return true;
}

int runMessageLoop() {
    MSG message;
    for (;;) {
        if (PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
                break;
            }
            hooks::mainThreadDispatching(message.message, message.wParam);
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

bool shutDown() {
    ProgramState& state = programState();
    // The tick looks at the reader, which goes below; after the message loop it has nothing to do.
    stopTrayTick();
    stopWatchingHidArrivals();
    // Both are told to stop first, so that their waits overlap.
    abandonUpdateCheck();
    askAutoLoginToStop();
    finishUpdateChecks(kNetworkStopPatienceMs);
    // The worker uses the scan list and the records up to its last step. One still inside a request
    // touches neither the reader nor the scan list when it returns (it stops at its next look at
    // its flag), but it may read the records: they then go with the process.
    const bool workerEnded = stopAutoLogin(kNetworkStopPatienceMs);
    if (state.reader) {
        resetReader(*state.reader);
        state.reader.reset();
    }
    if (workerEnded) {
        state.autoLogin.records.empty();
    }
    if (comInitialised) {
        CoUninitialize();
        comInitialised = false;
    }
    return workerEnded;
}

}  // namespace zelko
