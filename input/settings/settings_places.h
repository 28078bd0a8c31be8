#pragma once
// The two places of the settings file. Beside the executable is the installer's folder, which the
// resident program, running as the user without elevation, usually cannot write under Program
// Files; so the settings can also live in a per-user folder, under the same file name.

#include <string>
#include <string_view>
#include <vector>

namespace zelko {

enum class SettingsPlace { PerUser, BesideProgram };

// The per-user folder, below the user's local application data folder (%LOCALAPPDATA%).
constexpr std::u16string_view kPerUserSettingsFolder = u"Orvandale\\ZelkoInput";

// <localAppData>\Orvandale\ZelkoInput: empty when the local application data folder is unknown.
std::u16string perUserSettingsFolderFor(std::u16string_view localAppData);

// The per-user settings file of this executable: the per-user folder and the file name of the
// settings file beside the executable (settingsFileNameFor). Empty when either is unknown.
std::u16string perUserSettingsFileFor(std::u16string_view localAppData,
                                      std::u16string_view executablePath);

// Where the settings are read from, in order until one file opens: the per-user file when it
// exists, otherwise the file beside the executable.
std::vector<SettingsPlace> settingsPlacesToLoad(bool perUserFileExists);

// Where the settings are written, in order until one is written: the per-user file when it exists
// (it is the one that is read); otherwise beside the executable and, when that cannot be written,
// the per-user file, which from then on is the one read.
std::vector<SettingsPlace> settingsPlacesToSave(bool perUserFileExists);

}  // namespace zelko
