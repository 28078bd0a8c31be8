#pragma once
// Loading and saving the settings file (ZelkoInput.cfg): the per-user file in
// %LOCALAPPDATA%\Orvandale\ZelkoInput\ when it exists, otherwise the one beside the executable,
// which a save falls back from to the per-user file when it cannot be written.

#include <string>

namespace zelko {

// 1 if a settings file was opened and read, 0 if none could be opened (the settings stay as they
// are).
int loadSettings();
// 1 if the file was written, 0 if no place could be written.
int saveSettings();

// The full path of the running executable (not limited to MAX_PATH).
std::wstring executablePath();

// The per-user settings folder and file of this executable; empty when the user's local
// application data folder is unknown.
std::wstring perUserSettingsFolder();
std::wstring perUserSettingsPath();

}  // namespace zelko
