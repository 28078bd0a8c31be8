#pragma once
// The about dialog of another process, opened through the tray menu as a user would.

#include <windows.h>

namespace zelko::test {

class ResidentProgram;

constexpr wchar_t kAboutDialogTitle[] = L"このアプリケーションについて";

// Chooses the tray menu's second item ("情報"); the dialog window, or null.
HWND openAboutDialog(ResidentProgram& program);

// The visible about dialog of the process, or null.
HWND findAboutDialog(DWORD processId);

}  // namespace zelko::test
