#pragma once
// The uninstallation (`RunUninstall`): reads the install record, deletes the resident program
// (which fails while it runs, and then nothing else is touched), the installer's settings file
// and the startup shortcut (when that fails, the record stays for another run), removes the
// record's keys, and reports the outcome in one message.
// The uninstaller itself, the install folder and the resident program's settings file stay.

#include "common/setup/machine.h"

namespace zelko {

// True when everything was removed.
bool runUninstall(FileSystem& files, Registry& registry, MessageBoxes& messages);

}  // namespace zelko
