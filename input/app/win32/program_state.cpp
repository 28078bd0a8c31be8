#include "app/win32/program_state.h"

#include <windows.h>
#include <mmsystem.h>

namespace zelko {

ProgramState::ProgramState() = default;

// Runs at process exit, after the entry function has returned. The members then go in reverse
// order of construction: the auto-login records (already emptied by shut-down), the reader
// (already reset by shut-down), the settings lock, the login window's fonts and picture, the
// notification window record (its fade timer) and the tray record.
ProgramState::~ProgramState() {
    if (timerId != 0) {
        timeKillEvent(timerId);
        timerId = 0;
    }
    destroyScanWindow(scanWindow);
    for (HICON icon : tray.icons) {
        if (icon) {
            DestroyIcon(icon);
        }
    }
}

ProgramState& programState() {
    static ProgramState state;
    return state;
}

}  // namespace zelko
