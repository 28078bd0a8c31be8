#pragma once
// Loading and saving the settings file beside the executable (ZelkoInput.cfg).

#include <string>

namespace zelko {

// 1 if the file was opened and read, 0 if it could not be opened (the settings stay as they are).
int loadSettings();
// 1 if the file was written, 0 if it could not be written.
int saveSettings();

// The full path of the running executable (not limited to MAX_PATH).
std::wstring executablePath();

}  // namespace zelko
