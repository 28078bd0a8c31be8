#pragma once
// The installer's application object: its instance initialisation is the whole program. It makes
// the invisible main frame, offers an update when an installation is on record, then shows the
// dialogs one after the other as `m_nStage` says, while `m_bRunning` is set.

#include <string>

#include "common/win32/dialog_framework/application.h"

namespace zelko {

class CZelkoInstallApp : public Application {
  public:
    using Application::Application;

    // The dialogs and the installation run read and write these directly.
    int m_nStage = 0;                // 0: InstallStartDlg, 1: InstallInputDlg, 2: InstallStatusDlg
    int m_bRunning = 1;              // the stage loop goes on while set
    std::u16string m_szInstallPath;  // the final install folder, no trailing backslash
    int m_bStartUp = 1;              // make the startup shortcut

  protected:
    bool initInstance() override;

  private:
    void offerUpdate();
    // Runs the dialog that m_nStage names.
    void runStage(HWND owner);
};

}  // namespace zelko
