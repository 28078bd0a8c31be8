#include "install/dialogs/win32/install_start_dlg.h"

#include "install/app/win32/zelko_install_app.h"
#include "install/dialogs/win32/licence_terms.h"
#include "install/resources/install_resource_ids.h"

namespace zelko {

InstallStartDlg::InstallStartDlg(CZelkoInstallApp& app, HWND owner)
    : InstallerDialog(app, IDD_INSTALL_START, owner) {
    onCommand(IDOK, [this](WORD) { OnOK(); });
    onCommand(IDCANCEL, [this](WORD) { OnCancel(); });
}

bool InstallStartDlg::onInitDialog() {
    setItemText(IDC_LICENCE_TERMS, loadLicenceTerms(instance()));
    // The focus on the accept button, not on the terms (which would show them all selected).
    SetFocus(item(IDOK));
    return false;
}

void InstallStartDlg::OnOK() {
    app_.m_nStage = 1;
    endDialog(0);
}

void InstallStartDlg::OnCancel() {
    app_.m_bRunning = 0;
    endDialog(0);
}

}  // namespace zelko
