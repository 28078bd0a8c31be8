#pragma once
// Dialog 131: the install folder (typed, or picked with "参照") with its final form below it,
// and the startup option. "インストール開始" checks and stores the choices and leads to the
// status dialog; "キャンセル" (or Esc) ends the program. The close box does nothing.

#include <optional>
#include <string>

#include "common/win32/dialog_framework/modal_dialog.h"

namespace zelko {

class CZelkoInstallApp;

class InstallInputDlg : public ModalDialog {
  public:
    InstallInputDlg(CZelkoInstallApp& app, HWND owner);

  private:
    void onCreate() override;
    bool onInitDialog() override;
    void OnTypedFolderChange(WORD notification);
    void OnBrowse();
    void OnOK();
    void OnCancel();
    // `ComposeInstallPath` of the typed folder, over the installer's current folder.
    std::optional<std::u16string> composedFolder() const;

    CZelkoInstallApp& app_;
};

}  // namespace zelko
