#pragma once
// Starting the resident program at the end of the installation as the logged-on user.
//
// The installer runs with administrator rights, and a program it starts directly would inherit
// them: the resident program would then open the user's browser as administrator and miss the
// shell's messages to ordinary programs (such as "TaskbarCreated"). So the desktop shell (the
// Explorer process of the logged-on user, running without elevation) is asked to start it,
// through its own ShellExecute: ShellWindows -> the desktop's view -> its Shell.Application.

#include <string>

namespace zelko {

// Through the desktop shell; false when there is no desktop shell to ask or it refused.
bool startThroughDesktopShell(const std::wstring& program);

// Through the desktop shell, or, where that is not possible, with the installer's own rights
// (ShellExecuteW, verb "open", shown normally). False when the program file is missing or
// neither start was accepted.
bool startUnelevated(const std::wstring& program);

}  // namespace zelko
