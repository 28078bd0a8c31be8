#include "install/app/win32/zelko_install_app.h"

#include "common/setup/win32/win32_message_boxes.h"
#include "common/setup/win32/win32_registry.h"
#include "install/app/update_offer.h"
#include "install/app/win32/main_frame.h"
#include "install/dialogs/win32/install_input_dlg.h"
#include "install/dialogs/win32/install_start_dlg.h"
#include "install/dialogs/win32/install_status_dlg.h"

namespace zelko {

bool CZelkoInstallApp::initInstance() {
    Application::initInstance();
    CMainFrame frame;
    if (!frame.create(instance())) {
        return false;
    }
    offerUpdate();
    while (m_bRunning) {
        runStage(frame.window());
    }
    // Destroying the frame posts WM_QUIT: the message loop ends at once, and so does the program.
    frame.destroy();
    return true;
}

void CZelkoInstallApp::offerUpdate() {
    Win32Registry registry;
    Win32MessageBoxes messages(nullptr);
    if (auto stored = zelko::offerUpdate(registry, messages)) {
        m_bStartUp = stored->startUp ? 1 : 0;
        m_szInstallPath = stored->folder;
        m_nStage = 2;
    }
}

void CZelkoInstallApp::runStage(HWND owner) {
    INT_PTR shown = -1;
    switch (m_nStage) {
        case 0:
            shown = InstallStartDlg(*this, owner).doModal();
            break;
        case 1:
            shown = InstallInputDlg(*this, owner).doModal();
            break;
        case 2:
            shown = InstallStatusDlg(*this, owner).doModal();
            break;
    }
    // A dialog that cannot be shown would be tried again for ever.
    if (shown == -1) {
        m_bRunning = 0;
    }
}

}  // namespace zelko
