#pragma once
// The uninstaller's application object: its whole work is the one dialog.

#include "common/win32/dialog_framework/application.h"

namespace zelko {

class CZelkoUnInstallApp : public Application {
  public:
    using Application::Application;

  protected:
    bool initInstance() override;
};

}  // namespace zelko
