// Each scan the reader kept goes to the browser action once, in the order scanned.
//
// The pen event names no scan, and scans can arrive faster than the main thread acts on them (an
// address-bar delivery takes up to a second). So every pen event takes all scans not yet taken,
// oldest first, each with its own text; the events of scans already taken find nothing to do. The
// cursor moves past a scan before it is acted on, so a pen event handled inside that action (the
// failure message box's modal loop) goes on with the following scans and never repeats one. Only
// a scan that left the 16-entry list before its turn came is lost.
//
// Scans that keep arriving faster than they are opened would keep this loop going for as long as
// the stream lasts, and the installer's close request, posted behind their pen events, would wait
// for its end. So the loop stops as soon as a close request waits in the queue: the pen events
// before it then find it waiting too and return at once, and the close request is handled.

#include "tray/win32/scan_routing.h"

#include <optional>

#include "app/win32/program_state.h"
#include "autologin/win32/auto_login_worker.h"
#include "scan/win32/dispatch_scan.h"
#include "tray/win32/tray_messages.h"

namespace zelko {

namespace {

std::optional<TakenScan> takeNextScan(ProgramState& state) {
    if (!state.reader) {
        return std::nullopt;
    }
    MutexLock lock(state.reader->lock);
    return state.tray.scanCursor.takeNext(state.reader->scans);
}

bool closeRequestWaiting(HWND trayWindow) {
    MSG message;
    return PeekMessageW(&message, trayWindow, WM_CLOSE_REQUEST, WM_CLOSE_REQUEST, PM_NOREMOVE) != 0;
}

}  // namespace

void routeNewScans(HWND trayWindow) {
    ProgramState& state = programState();
    // The reader's lock is let go before each action: the reader goes on keeping scans meanwhile.
    while (state.tray.closing == 0 && !closeRequestWaiting(trayWindow)) {
        const std::optional<TakenScan> scan = takeNextScan(state);
        if (!scan) {
            return;
        }
        // Read without settingsLock: nothing writes autoLogin after start-up.
        if (state.settings.autoLogin == 0) {
            dispatchScanCode(trayWindow, scan->text);
        } else {
            routeScanToAutoLogin(trayWindow, scan->text);
        }
    }
}

}  // namespace zelko
