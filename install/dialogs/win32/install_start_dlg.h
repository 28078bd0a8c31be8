#pragma once
// Dialog 130: the licence terms. Accepting them leads to the settings dialog; "インストールせずに
// 終了" (or Esc) ends the program. The close box does nothing.

#include "install/dialogs/win32/installer_dialog.h"

namespace zelko {

class InstallStartDlg : public InstallerDialog {
  public:
    InstallStartDlg(CZelkoInstallApp& app, HWND owner);

  private:
    bool onInitDialog() override;
    void OnOK();
    void OnCancel();
};

}  // namespace zelko
