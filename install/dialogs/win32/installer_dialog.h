#pragma once
// What the installer's three dialogs have in common: they are centred on the desktop when they
// are created, their close box does nothing, and they work on the application object.

#include "common/win32/dialog_framework/modal_dialog.h"
#include "install/app/win32/zelko_install_app.h"

namespace zelko {

class InstallerDialog : public ModalDialog {
  protected:
    InstallerDialog(CZelkoInstallApp& app, int templateId, HWND owner);
    void onCreate() override;

    CZelkoInstallApp& app_;
};

}  // namespace zelko
