// Each scan the reader kept goes to the browser action once, in the order scanned.
//
// The pen event names no scan, and scans can arrive faster than the main thread acts on them (an
// address-bar delivery takes up to a second). So every pen event takes all scans not yet taken,
// oldest first, each with its own text; the events of scans already taken find nothing to do. The
// cursor moves past a scan before it is acted on, so a pen event handled inside that action (the
// failure message box's modal loop) goes on with the following scans and never repeats one. Only
// a scan that left the 16-entry list before its turn came is lost.

#include "tray/win32/scan_routing.h"

#include <optional>

#include "app/win32/program_state.h"
#include "autologin/win32/auto_login_worker.h"
#include "scan/win32/dispatch_scan.h"

namespace zelko {

namespace {

std::optional<TakenScan> takeNextScan(ProgramState& state) {
    if (!state.reader) {
        return std::nullopt;
    }
    MutexLock lock(state.reader->lock);
    return state.tray.scanCursor.takeNext(state.reader->scans);
}

}  // namespace

void routeNewScans(HWND trayWindow) {
    ProgramState& state = programState();
    // The reader's lock is let go before each action: the reader goes on keeping scans meanwhile.
    while (const std::optional<TakenScan> scan = takeNextScan(state)) {
        // Read without settingsLock: nothing writes autoLogin after start-up.
        if (state.settings.autoLogin == 0) {
            dispatchScanCode(trayWindow, scan->text);
        } else {
            routeScanToAutoLogin(trayWindow, scan->text);
        }
    }
}

}  // namespace zelko
