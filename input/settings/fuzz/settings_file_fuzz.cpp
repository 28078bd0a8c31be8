// The settings file as the loader reads it: any content, any length (a short file, a file longer
// than 544 bytes, a path field without a NUL).
//
// Properties: after a load auto-login and the browser path flag are off and the output mode is 0
// or 1; the browser path holds at most 259 units and no NUL, and is the file's text up to its first
// NUL; every integer field the file covers whole comes from the file, every field past its end
// keeps its default (a field cut in two by the end of the file may hold anything); the record saved
// again is 544 bytes with version 1 and loads back to the same record, and saving that gives the
// same bytes (load and save are idempotent after one round).

#include <cstddef>
#include <cstdint>
#include <string>

#include "common/fuzz/fuzz_check.h"
#include "settings/settings.h"

namespace {

using namespace zelko;

std::int32_t int32At(const std::uint8_t* bytes, std::size_t offset) {
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i) {
        bits |= static_cast<std::uint32_t>(bytes[offset + i]) << (8 * i);
    }
    return static_cast<std::int32_t>(bits);
}

// Checks an integer field: the file's value when the file holds all of it, the value it had
// before the load when the file ends before it; a field the file cuts in two may hold anything (a
// short read leaves the rest of the word as it was).
void checkInt32(const std::uint8_t* bytes, std::size_t size, std::size_t offset,
                std::int32_t before, std::int32_t loaded) {
    if (size >= offset + 4) {
        FUZZ_CHECK(loaded == int32At(bytes, offset));
    } else if (size <= offset) {
        FUZZ_CHECK(loaded == before);
    }
}

bool sameSettings(const Settings& a, const Settings& b) {
    return a.useBrowserPath == b.useBrowserPath && a.outputMode == b.outputMode &&
           a.browserPath == b.browserPath && a.playSound == b.playSound &&
           a.showDialog == b.showDialog && a.autoLogin == b.autoLogin;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Settings defaults;
    Settings loaded;
    decodeSettings(data, size, loaded);

    FUZZ_CHECK(loaded.autoLogin == 0);
    FUZZ_CHECK(loaded.useBrowserPath == 0);
    FUZZ_CHECK(loaded.outputMode == LaunchBrowser || loaded.outputMode == SetAddressBar);
    FUZZ_CHECK(loaded.browserPath.size() <= kMaxBrowserPathLength);
    FUZZ_CHECK(loaded.browserPath.find(u'\0') == std::u16string::npos);

    if (size >= 12) {
        const std::int32_t mode = int32At(data, 8);
        FUZZ_CHECK(loaded.outputMode == ((mode == 0 || mode == 1) ? mode : SetAddressBar));
    } else if (size <= 8) {
        FUZZ_CHECK(loaded.outputMode == defaults.outputMode);
    }
    checkInt32(data, size, 532, defaults.playSound, loaded.playSound);
    checkInt32(data, size, 536, defaults.showDialog, loaded.showDialog);

    // The path: the file's units from offset 12 up to the first NUL, the end of the file or 259
    // units; a half unit at the end of a short file counts with a zero high byte.
    std::u16string path;
    for (std::size_t unit = 0; unit < kMaxBrowserPathLength; ++unit) {
        const std::size_t at = 12 + 2 * unit;
        if (at >= size) {
            break;
        }
        const auto low = data[at];
        const auto high = at + 1 < size ? data[at + 1] : 0;
        const auto c = static_cast<char16_t>(low | (high << 8));
        if (c == u'\0') {
            break;
        }
        path.push_back(c);
    }
    FUZZ_CHECK(loaded.browserPath == path);

    const SettingsFileBytes saved = encodeSettings(loaded);
    FUZZ_CHECK(saved.size() == kSettingsFileSize);
    FUZZ_CHECK(int32At(saved.data(), 0) == 1);
    Settings reloaded;
    decodeSettings(saved.data(), saved.size(), reloaded);
    FUZZ_CHECK(sameSettings(reloaded, loaded));
    FUZZ_CHECK(encodeSettings(reloaded) == saved);

    // A second load over the record of the first: a short file changes only what it covers.
    Settings twice = loaded;
    decodeSettings(data, size, twice);
    FUZZ_CHECK(sameSettings(twice, loaded));
    return 0;
}
