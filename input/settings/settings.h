#pragma once
// The user settings record and the byte layout of its file.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace zelko {

enum OutputMode : std::int32_t {
    LaunchBrowser = 0,  // start the browser with the address as its argument
    SetAddressBar = 1,  // type the address into a running browser, else as LaunchBrowser
};

// The browser path is a UTF-16 buffer of 260 code units including its NUL.
constexpr std::size_t kBrowserPathUnits = 260;
constexpr std::size_t kMaxBrowserPathLength = kBrowserPathUnits - 1;

struct Settings {
    std::int32_t useBrowserPath = 0;
    std::int32_t outputMode = SetAddressBar;
    std::u16string browserPath;  // at most kMaxBrowserPathLength code units
    std::int32_t playSound = 1;
    std::int32_t showDialog = 1;
    std::int32_t autoLogin = 1;
};

constexpr std::size_t kSettingsFileSize = 544;
using SettingsFileBytes = std::array<std::uint8_t, kSettingsFileSize>;

// The file image written by saveSettings: version 1, then the fields in file order, all integers
// 32-bit little-endian, the browser path as UTF-16LE in a zero-filled 520-byte field.
SettingsFileBytes encodeSettings(const Settings& settings);

// Reads a file image of any length into `settings` as loadSettings does: fields past the end of a
// short file keep their values; then normalises (autoLogin and useBrowserPath 0, an outputMode other
// than 0 or 1 becomes 1).
void decodeSettings(const std::uint8_t* bytes, std::size_t length, Settings& settings);

// The settings file beside the executable: the last three characters of the executable's path
// replaced by "cfg". A path of fewer than three characters gives an empty name (no file).
std::u16string settingsFileNameFor(std::u16string_view executablePath);

}  // namespace zelko
