#include "app/win32/scan_start.h"

#include <windows.h>
#include <mmsystem.h>

#include "app/win32/program_state.h"

namespace zelko {

void onScanStart(void* context) {
    auto& state = *static_cast<ProgramState*>(context);
    // Single 32-bit reads without settingsLock: the scan dispatch may hold it for a whole browser
    // action, and the reader must not wait for that.
    if (__atomic_load_n(&state.settings.playSound, __ATOMIC_RELAXED)) {
        PlaySoundW(L"SCANSOUND", state.instance, SND_RESOURCE | SND_ASYNC);
    }
    if (__atomic_load_n(&state.settings.showDialog, __ATOMIC_RELAXED)) {
        showScanWindow(state.scanWindow);
    }
}

}  // namespace zelko
