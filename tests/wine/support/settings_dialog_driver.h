#pragma once
// The settings dialog of another process, driven through its controls.

#include <windows.h>

namespace zelko::test {

class ResidentProgram;

constexpr wchar_t kSettingsDialogTitle[] = L"ZelkoInput Setting";

// Opens the dialog through the tray menu's first item; the dialog window, or null.
HWND openSettingsDialog(const ResidentProgram& program);

bool isBoxChecked(HWND dialog, int id);
// Clicks a box and waits until the dialog has handled the click.
void clickBox(HWND dialog, int id);
void clickDialogButton(HWND dialog, int id);

}  // namespace zelko::test
