// The places of the settings file and the order in which they are read and written.

#include "settings/settings_places.h"

#include "settings/settings.h"

namespace zelko {

namespace {

bool isSeparator(char16_t unit) {
    return unit == u'\\' || unit == u'/';
}

}  // namespace

std::u16string perUserSettingsFolderFor(std::u16string_view localAppData) {
    while (!localAppData.empty() && isSeparator(localAppData.back())) {
        localAppData.remove_suffix(1);
    }
    if (localAppData.empty()) {
        return {};
    }
    std::u16string folder(localAppData);
    folder += u'\\';
    folder += kPerUserSettingsFolder;
    return folder;
}

std::u16string perUserSettingsFileFor(std::u16string_view localAppData,
                                      std::u16string_view executablePath) {
    const std::u16string folder = perUserSettingsFolderFor(localAppData);
    const std::u16string besideProgram = settingsFileNameFor(executablePath);
    std::size_t nameStart = besideProgram.size();
    while (nameStart > 0 && !isSeparator(besideProgram[nameStart - 1])) {
        --nameStart;
    }
    const std::u16string_view name = std::u16string_view(besideProgram).substr(nameStart);
    if (folder.empty() || name.empty()) {
        return {};
    }
    return folder + u'\\' + std::u16string(name);
}

std::vector<SettingsPlace> settingsPlacesToLoad(bool perUserFileExists) {
    if (perUserFileExists) {
        // Should it not open, the file beside the program is better than the defaults.
        return {SettingsPlace::PerUser, SettingsPlace::BesideProgram};
    }
    return {SettingsPlace::BesideProgram};
}

std::vector<SettingsPlace> settingsPlacesToSave(bool perUserFileExists) {
    if (perUserFileExists) {
        return {SettingsPlace::PerUser};
    }
    return {SettingsPlace::BesideProgram, SettingsPlace::PerUser};
}

}  // namespace zelko
