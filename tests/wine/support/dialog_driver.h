#pragma once
// Another process's dialogs, driven through their windows as a user would: keys, typing, and
// reading what they show.

#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

namespace zelko::test {

// The process's visible dialog with this title, or null after the timeout.
HWND waitForDialog(DWORD processId, const wchar_t* title, std::chrono::milliseconds timeout);

// A key pressed and released over the window (the dialog's message loop handles it).
void pressDialogKey(HWND window, UINT key);
// Replaces the text of an edit control as typing would, one character after the other.
void typeText(HWND dialog, int id, const std::wstring& text);
std::wstring dialogItemText(HWND dialog, int id);
bool isItemEnabled(HWND dialog, int id);
// The text of every item of a report-view list of another process.
std::vector<std::wstring> listViewLines(HWND list);
// The dialog's title and the texts of all its controls, one after the other.
std::wstring allDialogTexts(HWND dialog);

}  // namespace zelko::test
