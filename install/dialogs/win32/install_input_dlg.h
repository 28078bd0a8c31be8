#pragma once
// Dialog 131: the install folder (typed, or picked with "参照") with its final form below it,
// and the startup option. "インストール開始" checks and stores the choices and leads to the
// status dialog; "キャンセル" (or Esc) ends the program. The close box does nothing.

#include <optional>
#include <string>

#include "install/dialogs/win32/installer_dialog.h"

namespace zelko {

class InstallInputDlg : public InstallerDialog {
  public:
    InstallInputDlg(CZelkoInstallApp& app, HWND owner);

  private:
    bool onInitDialog() override;
    void OnTypedFolderChange(WORD notification);
    void OnBrowse();
    void OnOK();
    void OnCancel();
    // `ComposeInstallPath` of the typed folder, over the installer's current folder.
    std::optional<std::u16string> composedFolder() const;
};

}  // namespace zelko
