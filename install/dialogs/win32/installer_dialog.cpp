#include "install/dialogs/win32/installer_dialog.h"

#include "common/win32/center_on_desktop.h"

namespace zelko {

InstallerDialog::InstallerDialog(CZelkoInstallApp& app, int templateId, HWND owner)
    : ModalDialog(app.instance(), templateId, owner), app_(app) {
    onMessage(WM_CLOSE, [](WPARAM, LPARAM) -> INT_PTR { return TRUE; });
}

void InstallerDialog::onCreate() {
    CenterOnDesktop(window());
}

}  // namespace zelko
