#include "support/about_dialog_driver.h"

#include "support/resident_program.h"
#include "support/tray_menu.h"
#include "support/wait.h"
#include "support/window_search.h"

namespace zelko::test {

HWND findAboutDialog(DWORD processId) {
    return findWindowOf(processId, L"#32770", kAboutDialogTitle, Visibility::VisibleOnly);
}

HWND openAboutDialog(ResidentProgram& program) {
    const DWORD processId = program.process().id();
    if (!chooseTrayMenuItem(program.trayWindow(), processId, 1)) {
        return nullptr;
    }
    HWND dialog = nullptr;
    waitUntil([&] { return (dialog = findAboutDialog(processId)) != nullptr; }, 5s);
    return dialog;
}

}  // namespace zelko::test
