#pragma once
// The demo's part on the about dialog's update check.

namespace zelko::demo {

// The test build's about dialog, opened from the tray menu, asks the local reference web service
// for the newest version; the service offers version 40 with a stand-in installer, which is
// downloaded into the temporary folder and started. Prints what happens; true when it went so.
bool showUpdateCheck();

}  // namespace zelko::demo
