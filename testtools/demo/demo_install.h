#pragma once
// The demo's part on the installer and the uninstaller.

namespace zelko::demo {

// Installs with the installer's dialogs, shows the installed resident program running, the
// uninstaller refusing while it runs, and the uninstallation once it is closed. Leaves nothing
// installed. True when everything went as it should.
bool showInstallAndUninstall();

}  // namespace zelko::demo
