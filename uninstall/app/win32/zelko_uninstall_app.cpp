#include "uninstall/app/win32/zelko_uninstall_app.h"

#include "uninstall/app/win32/uninstall_dlg.h"

namespace zelko {

bool CZelkoUnInstallApp::initInstance() {
    Application::initInstance();
    CZelkoUnInstallDlg dialog(instance());
    dialog.doModal();
    // The program ends with the dialog: no message loop follows.
    return false;
}

}  // namespace zelko
