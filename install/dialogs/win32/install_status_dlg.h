#pragma once
// Dialog 143: the log of the installation run, which a worker thread performs meanwhile. "完了"
// ends the program; it stays disabled until the run has finished, and until then Esc does nothing
// either: the run is never cut short, nor started twice. Once it has finished, Esc is "完了".

#include "common/win32/unique_handle.h"
#include "install/dialogs/win32/installer_dialog.h"
#include "install/run/win32/install_thread.h"
#include "install/run/win32/log_list.h"

namespace zelko {

class InstallStatusDlg : public InstallerDialog {
  public:
    InstallStatusDlg(CZelkoInstallApp& app, HWND owner);
    // Waits for the worker, which has ended or is ending when the dialog can close.
    ~InstallStatusDlg() override;

  private:
    bool onInitDialog() override;
    void startWorker();
    void OnRunFinished();
    void OnFinish();

    LogList m_listLog;
    InstallJob job_;
    UniqueHandle worker_;
    bool finished_ = false;
};

}  // namespace zelko
