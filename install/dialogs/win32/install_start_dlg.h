#pragma once
// Dialog 130: the licence terms. Accepting them leads to the settings dialog; "インストールせずに
// 終了" (or Esc) ends the program. The close box does nothing.

#include "common/win32/dialog_framework/modal_dialog.h"

namespace zelko {

class CZelkoInstallApp;

class InstallStartDlg : public ModalDialog {
  public:
    InstallStartDlg(CZelkoInstallApp& app, HWND owner);

  private:
    void onCreate() override;
    bool onInitDialog() override;
    void OnOK();
    void OnCancel();

    CZelkoInstallApp& app_;
};

}  // namespace zelko
