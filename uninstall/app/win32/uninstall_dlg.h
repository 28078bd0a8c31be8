#pragma once
// The uninstaller's dialog 102: "アンインストール" runs the uninstallation, "キャンセル" (or Esc)
// ends the program without changing anything.

#include "common/win32/dialog_framework/modal_dialog.h"

namespace zelko {

class CZelkoUnInstallDlg : public ModalDialog {
  public:
    explicit CZelkoUnInstallDlg(HINSTANCE instance);

  private:
    bool onInitDialog() override;
    void OnOK();
    void OnCancel();
    // While minimised, the client area shows the program icon, centred.
    INT_PTR OnPaint();

    HICON m_hIcon;
};

}  // namespace zelko
