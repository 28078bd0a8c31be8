#pragma once
// Finding and answering another process's modal message box.

#include <windows.h>

#include <chrono>
#include <string>

namespace zelko::test {

// The visible message box with this caption whose buttons exist (OK, Cancel or Yes), or null
// after the timeout.
HWND waitForMessageBox(const std::wstring& caption, std::chrono::milliseconds timeout);
std::wstring messageBoxText(HWND box);
// Clicks the box's OK (or only) button and waits until the box is gone.
bool clickMessageBoxButton(HWND box, int buttonId = IDOK);
// Every visible top-level message box with this caption.
int countMessageBoxes(const std::wstring& caption);

std::wstring windowText(HWND window);

}  // namespace zelko::test
