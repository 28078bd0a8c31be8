// The byte layout of the settings file: 544 bytes, integers 32-bit little-endian, the browser path
// as UTF-16LE in a zero-filled 520-byte field.

#include "settings/settings.h"

#include <algorithm>
#include <cstring>

namespace zelko {

namespace {

constexpr std::size_t kVersionOffset = 0;
constexpr std::size_t kUseBrowserPathOffset = 4;
constexpr std::size_t kOutputModeOffset = 8;
constexpr std::size_t kBrowserPathOffset = 12;
constexpr std::size_t kBrowserPathBytes = kBrowserPathUnits * 2;                  // 520
constexpr std::size_t kPlaySoundOffset = kBrowserPathOffset + kBrowserPathBytes;  // 532
constexpr std::size_t kShowDialogOffset = kPlaySoundOffset + 4;                   // 536
constexpr std::size_t kAutoLoginOffset = kShowDialogOffset + 4;                   // 540
static_assert(kAutoLoginOffset + 4 == kSettingsFileSize, "the fields fill the file exactly");

constexpr std::int32_t kFileVersion = 1;

void putInt32(std::uint8_t* out, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) {
        out[i] = static_cast<std::uint8_t>(bits >> (8 * i));
    }
}

std::int32_t getInt32(const std::uint8_t* in) {
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i) {
        bits |= static_cast<std::uint32_t>(in[i]) << (8 * i);
    }
    return static_cast<std::int32_t>(bits);
}

// The browser path as its 520-byte field: the text cut to 259 units, the rest zero, so the field
// always holds a NUL.
std::array<std::uint8_t, kBrowserPathBytes> browserPathField(const std::u16string& path) {
    std::array<std::uint8_t, kBrowserPathBytes> field{};
    const std::size_t units = std::min(path.size(), kMaxBrowserPathLength);
    for (std::size_t i = 0; i < units; ++i) {
        const auto unit = static_cast<std::uint16_t>(path[i]);
        field[2 * i] = static_cast<std::uint8_t>(unit & 0xFF);
        field[2 * i + 1] = static_cast<std::uint8_t>(unit >> 8);
    }
    return field;
}

// The text of a path field: the units before the first NUL, never more than 259, so a field that
// holds no NUL cannot carry a text longer than the record allows.
std::u16string browserPathFromField(const std::uint8_t* field) {
    std::u16string path;
    path.reserve(kMaxBrowserPathLength);
    for (std::size_t i = 0; i < kMaxBrowserPathLength; ++i) {
        const auto unit = static_cast<char16_t>(field[2 * i] | (field[2 * i + 1] << 8));
        if (unit == u'\0') {
            break;
        }
        path.push_back(unit);
    }
    return path;
}

// The part of the field [offset, offset + size) that the file holds is copied over the field's
// current image; bytes past the end of the file keep theirs, as a short read leaves them.
void overlayFromFile(const std::uint8_t* bytes, std::size_t length, std::size_t offset,
                     std::uint8_t* image, std::size_t size) {
    if (length <= offset) {
        return;
    }
    std::memcpy(image, bytes + offset, std::min(size, length - offset));
}

void readInt32(const std::uint8_t* bytes, std::size_t length, std::size_t offset,
               std::int32_t& field) {
    std::uint8_t image[4];
    putInt32(image, field);
    overlayFromFile(bytes, length, offset, image, sizeof image);
    field = getInt32(image);
}

}  // namespace

SettingsFileBytes encodeSettings(const Settings& settings) {
    SettingsFileBytes bytes{};
    putInt32(&bytes[kVersionOffset], kFileVersion);
    putInt32(&bytes[kUseBrowserPathOffset], settings.useBrowserPath);
    putInt32(&bytes[kOutputModeOffset], settings.outputMode);
    const auto path = browserPathField(settings.browserPath);
    std::copy(path.begin(), path.end(), bytes.begin() + kBrowserPathOffset);
    putInt32(&bytes[kPlaySoundOffset], settings.playSound);
    putInt32(&bytes[kShowDialogOffset], settings.showDialog);
    putInt32(&bytes[kAutoLoginOffset], settings.autoLogin);
    return bytes;
}

void decodeSettings(const std::uint8_t* bytes, std::size_t length, Settings& settings) {
    if (bytes == nullptr) {
        length = 0;
    }
    // The version word is read past and not checked.
    readInt32(bytes, length, kUseBrowserPathOffset, settings.useBrowserPath);
    readInt32(bytes, length, kOutputModeOffset, settings.outputMode);
    if (length > kBrowserPathOffset) {
        auto path = browserPathField(settings.browserPath);
        overlayFromFile(bytes, length, kBrowserPathOffset, path.data(), path.size());
        settings.browserPath = browserPathFromField(path.data());
    }
    readInt32(bytes, length, kPlaySoundOffset, settings.playSound);
    readInt32(bytes, length, kShowDialogOffset, settings.showDialog);
    readInt32(bytes, length, kAutoLoginOffset, settings.autoLogin);

    // Auto-login mode and a chosen browser path never survive a start that found a file.
    settings.autoLogin = 0;
    settings.useBrowserPath = 0;
    if (settings.outputMode != LaunchBrowser && settings.outputMode != SetAddressBar) {
        settings.outputMode = SetAddressBar;
    }
}

}  // namespace zelko
