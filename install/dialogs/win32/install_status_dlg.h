#pragma once
// Dialog 143: the log of the installation run, which a worker thread performs meanwhile. "完了"
// ends the program; it stays disabled until the run has finished, and so do Esc and the close box
// do nothing while the run goes on: the run is never cut short, nor started twice.

#include "common/win32/dialog_framework/modal_dialog.h"
#include "common/win32/unique_handle.h"
#include "install/run/win32/install_thread.h"
#include "install/run/win32/log_list.h"

namespace zelko {

class CZelkoInstallApp;

class InstallStatusDlg : public ModalDialog {
  public:
    InstallStatusDlg(CZelkoInstallApp& app, HWND owner);
    // Waits for the worker, which has ended or is ending when the dialog can close.
    ~InstallStatusDlg() override;

  private:
    void onCreate() override;
    bool onInitDialog() override;
    void startWorker();
    void OnRunFinished();
    void OnFinish();

    CZelkoInstallApp& app_;
    LogList m_listLog;
    InstallJob job_;
    UniqueHandle worker_;
    bool finished_ = false;
};

}  // namespace zelko
