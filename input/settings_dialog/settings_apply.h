#pragma once
// What the settings dialog's apply button writes into the settings.

#include "settings/settings.h"

namespace zelko {

struct SettingsDialogChecks {
    bool launchBrowser = false;  // box 1003
    bool setAddressBar = false;  // box 1004
    bool playSound = false;      // box 1005
    bool showDialog = false;     // box 1006
};

// The boxes as the dialog shows them for the given settings.
SettingsDialogChecks checksForSettings(const Settings& settings);

// useBrowserPath always 0; 1004 wins over 1003; neither keeps outputMode; the flags 0 or 1.
void applySettingsDialog(const SettingsDialogChecks& checks, Settings& settings);

}  // namespace zelko
