// What the settings dialog shows and what its apply button stores.

#include "settings_dialog/settings_apply.h"

namespace zelko {

SettingsDialogChecks checksForSettings(const Settings& settings) {
    SettingsDialogChecks checks;
    checks.launchBrowser = settings.outputMode == LaunchBrowser;
    checks.setAddressBar = settings.outputMode == SetAddressBar;
    checks.playSound = settings.playSound != 0;
    checks.showDialog = settings.showDialog != 0;
    return checks;
}

void applySettingsDialog(const SettingsDialogChecks& checks, Settings& settings) {
    settings.useBrowserPath = 0;
    if (checks.launchBrowser) {
        settings.outputMode = LaunchBrowser;
    }
    if (checks.setAddressBar) {
        settings.outputMode = SetAddressBar;
    }
    settings.playSound = checks.playSound ? 1 : 0;
    settings.showDialog = checks.showDialog ? 1 : 0;
}

}  // namespace zelko
