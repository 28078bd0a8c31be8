#pragma once
// The installation run (`RunInstall`), the same for a fresh installation and an update: close a
// running resident program, make sure the folder exists, remove the old startup shortcut, write
// both programs, make the startup shortcut if chosen, record the installation, start the resident
// program. Every step adds a line to the log; the run stops at the first failing step and keeps
// what it did before.

#include "common/setup/install_record.h"
#include "install/run/install_shell.h"

namespace zelko {

// True when the installation is complete (also when only the final start failed).
bool runInstall(InstallMachine& machine, const InstallChoices& choices);

// The installer's worker thread (`InstallThreadProc`): the run, then its one final message.
void installAndReport(InstallMachine& machine, const InstallChoices& choices);

}  // namespace zelko
