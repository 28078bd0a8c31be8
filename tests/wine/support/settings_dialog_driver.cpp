#include "support/settings_dialog_driver.h"

#include "support/resident_program.h"
#include "support/tray_menu.h"
#include "support/wait.h"
#include "support/window_search.h"

namespace zelko::test {

namespace {

HWND findSettingsDialog(DWORD processId) {
    return findWindowOf(processId, L"#32770", kSettingsDialogTitle, Visibility::VisibleOnly);
}

}  // namespace

HWND openSettingsDialog(const ResidentProgram& program) {
    auto& process = const_cast<ResidentProgram&>(program).process();
    if (!chooseTrayMenuItem(program.trayWindow(), process.id(), 0)) {
        return nullptr;
    }
    HWND dialog = nullptr;
    waitUntil([&] { return (dialog = findSettingsDialog(process.id())) != nullptr; }, 5s);
    return dialog;
}

bool isBoxChecked(HWND dialog, int id) {
    return SendDlgItemMessageW(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void clickBox(HWND dialog, int id) {
    // BM_CLICK is handled synchronously by the button, which notifies the dialog before the
    // send returns.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(GetDlgItem(dialog, id), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
}

void clickDialogButton(HWND dialog, int id) {
    PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

}  // namespace zelko::test
