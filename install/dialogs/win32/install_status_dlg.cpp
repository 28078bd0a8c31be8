#include "install/dialogs/win32/install_status_dlg.h"

#include "common/win32/text.h"
#include "install/app/win32/zelko_install_app.h"
#include "install/dialogs/dialog_texts.h"
#include "install/resources/install_resource_ids.h"
#include "install/run/install_texts.h"

namespace zelko {

InstallStatusDlg::InstallStatusDlg(CZelkoInstallApp& app, HWND owner)
    : InstallerDialog(app, IDD_INSTALL_STATUS, owner) {
    onCommand(IDC_FINISH, [this](WORD) { OnFinish(); });
    onCommand(IDCANCEL, [this](WORD) { OnFinish(); });
    onMessage(WM_INSTALL_FINISHED, [this](WPARAM, LPARAM) -> INT_PTR {
        OnRunFinished();
        return TRUE;
    });
}

InstallStatusDlg::~InstallStatusDlg() {
    if (worker_) {
        WaitForSingleObject(worker_.get(), INFINITE);
    }
}

bool InstallStatusDlg::onInitDialog() {
    m_listLog.attach(item(IDC_INSTALL_LOG));
    m_listLog.insertColumn(toWide(dialog_text::kLogColumn));
    startWorker();
    SetFocus(m_listLog.window());
    return false;
}

void InstallStatusDlg::startWorker() {
    job_ = {window(), &m_listLog, {app_.m_szInstallPath, app_.m_bStartUp != 0}};
    worker_.reset(CreateThread(nullptr, 0, InstallThreadProc, &job_, 0, nullptr));
    if (!worker_) {
        // Without a worker nothing was done: say so, and let the user leave.
        MessageBoxW(window(), toWide(install_text::kFailedMessage).c_str(),
                    toWide(install_text::kFailedCaption).c_str(), MB_OK);
        OnRunFinished();
    }
}

void InstallStatusDlg::OnRunFinished() {
    finished_ = true;
    EnableWindow(item(IDC_FINISH), TRUE);
    SendMessageW(window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item(IDC_FINISH)), TRUE);
}

void InstallStatusDlg::OnFinish() {
    if (!finished_) {
        return;
    }
    app_.m_bRunning = 0;
    endDialog(0);
}

}  // namespace zelko
