#include "settings/settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace zelko {
namespace {

// A file image built field by field, independently of encodeSettings.
class SettingsFileImage {
  public:
    SettingsFileImage() : bytes_(kSettingsFileSize, 0) { putInt32(0, 1); }

    SettingsFileImage& putInt32(std::size_t offset, std::int32_t value) {
        const auto bits = static_cast<std::uint32_t>(value);
        bytes_[offset] = static_cast<std::uint8_t>(bits);
        bytes_[offset + 1] = static_cast<std::uint8_t>(bits >> 8);
        bytes_[offset + 2] = static_cast<std::uint8_t>(bits >> 16);
        bytes_[offset + 3] = static_cast<std::uint8_t>(bits >> 24);
        return *this;
    }
    SettingsFileImage& putUnit(std::size_t index, char16_t unit) {
        bytes_[12 + 2 * index] = static_cast<std::uint8_t>(unit & 0xFF);
        bytes_[12 + 2 * index + 1] = static_cast<std::uint8_t>(unit >> 8);
        return *this;
    }
    SettingsFileImage& useBrowserPath(std::int32_t v) { return putInt32(4, v); }
    SettingsFileImage& outputMode(std::int32_t v) { return putInt32(8, v); }
    SettingsFileImage& playSound(std::int32_t v) { return putInt32(532, v); }
    SettingsFileImage& showDialog(std::int32_t v) { return putInt32(536, v); }
    SettingsFileImage& autoLogin(std::int32_t v) { return putInt32(540, v); }

    Settings decodeOver(Settings settings, std::size_t length) const {
        decodeSettings(bytes_.data(), length, settings);
        return settings;
    }
    Settings decode() const { return decodeOver(Settings{}, bytes_.size()); }

  private:
    std::vector<std::uint8_t> bytes_;
};

std::int32_t int32At(const SettingsFileBytes& bytes, std::size_t offset) {
    return static_cast<std::int32_t>(
        std::uint32_t{bytes[offset]} | std::uint32_t{bytes[offset + 1]} << 8 |
        std::uint32_t{bytes[offset + 2]} << 16 | std::uint32_t{bytes[offset + 3]} << 24);
}

std::u16string pathOfLength(std::size_t length) {
    // Mixes ASCII, Japanese and a unit with both bytes set to catch byte-order faults.
    const std::u16string pattern = u"C:\\ブラウザ\\x\u0100\uFFFEy";
    std::u16string path;
    while (path.size() < length) {
        path.push_back(pattern[path.size() % pattern.size()]);
    }
    return path;
}

TEST(SettingsDefaults, MatchTheFirstStart) {
    const Settings s;
    EXPECT_EQ(s.useBrowserPath, 0);
    EXPECT_EQ(s.outputMode, SetAddressBar);
    EXPECT_EQ(s.browserPath, u"");
    EXPECT_EQ(s.playSound, 1);
    EXPECT_EQ(s.showDialog, 1);
    EXPECT_EQ(s.autoLogin, 1);
}

TEST(DecodeSettings, TwelveByteFileSetsOnlyOutputModeThenNormalises) {
    struct Case {
        std::int32_t fileOutputMode;
        std::int32_t expectedOutputMode;
    };
    for (const Case c : {Case{0, 0}, Case{1, 1}, Case{5, 1}}) {
        SCOPED_TRACE(c.fileOutputMode);
        SettingsFileImage file;
        file.useBrowserPath(1).outputMode(c.fileOutputMode).playSound(0).showDialog(0);
        file.putUnit(0, u'Q');
        Settings before;
        before.browserPath = u"C:\\keep.exe";
        before.playSound = 1;
        before.showDialog = 1;
        before.autoLogin = 1;
        const Settings s = file.decodeOver(before, 12);
        EXPECT_EQ(s.outputMode, c.expectedOutputMode);
        EXPECT_EQ(s.browserPath, u"C:\\keep.exe");
        EXPECT_EQ(s.playSound, 1);
        EXPECT_EQ(s.showDialog, 1);
        EXPECT_EQ(s.autoLogin, 0);
        EXPECT_EQ(s.useBrowserPath, 0);
    }
}

TEST(DecodeSettings, EmptyFileKeepsEverythingButNormalises) {
    Settings before;
    before.useBrowserPath = 1;
    before.outputMode = 9;
    before.browserPath = u"C:\\b.exe";
    before.playSound = 0;
    before.showDialog = 7;
    before.autoLogin = 1;
    Settings s = before;
    decodeSettings(nullptr, 0, s);
    EXPECT_EQ(s.useBrowserPath, 0);
    EXPECT_EQ(s.outputMode, SetAddressBar);
    EXPECT_EQ(s.browserPath, u"C:\\b.exe");
    EXPECT_EQ(s.playSound, 0);
    EXPECT_EQ(s.showDialog, 7);
    EXPECT_EQ(s.autoLogin, 0);

    const std::uint8_t none[1] = {0xAB};
    Settings t = before;
    decodeSettings(none, 0, t);
    EXPECT_EQ(t.browserPath, u"C:\\b.exe");
    EXPECT_EQ(t.showDialog, 7);
}

TEST(DecodeSettings, OutputModeOtherThanZeroOrOneBecomesOne) {
    struct Case {
        std::int32_t inFile;
        std::int32_t loaded;
    };
    const Case cases[] = {{0, 0}, {1, 1}, {2, 1}, {-1, 1}, {7, 1}, {INT32_MIN, 1}, {INT32_MAX, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.inFile);
        EXPECT_EQ(SettingsFileImage().outputMode(c.inFile).decode().outputMode, c.loaded);
    }
}

TEST(DecodeSettings, ReadsEveryFieldAtItsOffset) {
    SettingsFileImage file;
    file.outputMode(0).playSound(0).showDialog(5).putUnit(0, u'a').putUnit(1, u'ペ');
    const Settings s = file.decode();
    EXPECT_EQ(s.outputMode, LaunchBrowser);
    EXPECT_EQ(s.browserPath, u"aペ");
    EXPECT_EQ(s.playSound, 0);
    EXPECT_EQ(s.showDialog, 5);
}

TEST(DecodeSettings, AutoLoginAndUseBrowserPathLoadAsZeroAndAreSavedAsZero) {
    const Settings s = SettingsFileImage().useBrowserPath(1).autoLogin(1).decode();
    EXPECT_EQ(s.autoLogin, 0);
    EXPECT_EQ(s.useBrowserPath, 0);
    const SettingsFileBytes saved = encodeSettings(s);
    EXPECT_EQ(int32At(saved, 4), 0);
    EXPECT_EQ(int32At(saved, 540), 0);
}

// A file cut short at every length, its fields all unlike the defaults: the fields it holds (even a
// part of one) come from the file, the rest keep their defaults, and the normalisation holds.
TEST(DecodeSettings, FileCutAtEveryLengthKeepsTheDefaultsPastItsEnd) {
    SettingsFileImage file;
    file.useBrowserPath(1).outputMode(LaunchBrowser).playSound(0).showDialog(0).autoLogin(1);
    for (std::size_t i = 0; i < kMaxBrowserPathLength; ++i) {
        file.putUnit(i, static_cast<char16_t>(u'a' + i % 26));
    }
    for (std::size_t length = 0; length <= kSettingsFileSize; ++length) {
        SCOPED_TRACE(length);
        const Settings s = file.decodeOver(Settings{}, length);
        // Every path unit of which the file holds at least its low byte (the high bytes are 0).
        const std::size_t pathUnits =
            length <= 12 ? 0 : std::min((length - 11) / 2, std::size_t{259});
        std::u16string path;
        for (std::size_t i = 0; i < pathUnits; ++i) {
            path.push_back(static_cast<char16_t>(u'a' + i % 26));
        }
        ASSERT_EQ(s.outputMode, length > 8 ? LaunchBrowser : SetAddressBar);
        ASSERT_EQ(s.browserPath, path);
        ASSERT_EQ(s.playSound, length > 532 ? 0 : 1);
        ASSERT_EQ(s.showDialog, length > 536 ? 0 : 1);
        ASSERT_EQ(s.autoLogin, 0);
        ASSERT_EQ(s.useBrowserPath, 0);
    }
}

TEST(DecodeSettings, PathFieldWithoutNulIsCutAt259Units) {
    SettingsFileImage file;
    for (std::size_t i = 0; i < kBrowserPathUnits; ++i) {
        file.putUnit(i, i == kBrowserPathUnits - 1 ? u'Z' : u'p');
    }
    file.playSound(0);
    const Settings s = file.decode();
    EXPECT_EQ(s.browserPath, std::u16string(kMaxBrowserPathLength, u'p'));
    EXPECT_EQ(s.playSound, 0);  // the field after the path is still read from its own offset
}

TEST(DecodeSettings, PathStopsAtTheFirstNul) {
    SettingsFileImage file;
    file.putUnit(0, u'a').putUnit(1, u'b').putUnit(2, 0).putUnit(3, u'c');
    EXPECT_EQ(file.decode().browserPath, u"ab");
}

TEST(DecodeSettings, FileEndingInsideThePathFieldReplacesOnlyTheUnitsItHolds) {
    SettingsFileImage file;
    file.putUnit(0, u'N').putUnit(1, u'E').putUnit(2, u'W');
    Settings before;
    before.browserPath = u"oldpath";
    // 12 bytes of integers and two whole path units.
    const Settings s = file.decodeOver(before, 16);
    EXPECT_EQ(s.browserPath, u"NEdpath");
}

TEST(SettingsFile, BrowserPathOf259UnitsSurvivesSaveAndLoad) {
    Settings original;
    original.outputMode = LaunchBrowser;
    original.browserPath = pathOfLength(kMaxBrowserPathLength);
    original.playSound = 0;
    original.showDialog = 1;
    const SettingsFileBytes file = encodeSettings(original);
    ASSERT_EQ(file.size(), 544u);
    EXPECT_EQ(file[12 + 2 * 259], 0);  // the terminating NUL is in the field
    EXPECT_EQ(file[12 + 2 * 259 + 1], 0);

    Settings loaded;
    decodeSettings(file.data(), file.size(), loaded);
    EXPECT_EQ(loaded.browserPath, original.browserPath);
    EXPECT_EQ(loaded.outputMode, LaunchBrowser);
    EXPECT_EQ(loaded.playSound, 0);
    EXPECT_EQ(loaded.showDialog, 1);
}

TEST(EncodeSettings, WritesEveryFieldAtItsOffsetLittleEndian) {
    Settings s;
    s.useBrowserPath = 0x01020304;
    s.outputMode = LaunchBrowser;
    s.browserPath = u"A\u30DA";  // 'A', 'ペ' (U+30DA)
    s.playSound = -2;
    s.showDialog = 0x11223344;
    s.autoLogin = 1;
    const SettingsFileBytes f = encodeSettings(s);

    ASSERT_EQ(f.size(), 544u);
    EXPECT_EQ((std::vector<std::uint8_t>{f[0], f[1], f[2], f[3]}),
              (std::vector<std::uint8_t>{1, 0, 0, 0}));
    EXPECT_EQ((std::vector<std::uint8_t>{f[4], f[5], f[6], f[7]}),
              (std::vector<std::uint8_t>{0x04, 0x03, 0x02, 0x01}));
    EXPECT_EQ(int32At(f, 8), 0);
    EXPECT_EQ((std::vector<std::uint8_t>{f[12], f[13], f[14], f[15]}),
              (std::vector<std::uint8_t>{0x41, 0x00, 0xDA, 0x30}));
    for (std::size_t i = 16; i < 532; ++i) {
        ASSERT_EQ(f[i], 0) << "path field byte " << i;
    }
    EXPECT_EQ((std::vector<std::uint8_t>{f[532], f[533], f[534], f[535]}),
              (std::vector<std::uint8_t>{0xFE, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(int32At(f, 536), 0x11223344);
    EXPECT_EQ(int32At(f, 540), 1);
}

TEST(EncodeSettings, OverlongPathIsCutTo259UnitsAndKeepsItsNul) {
    Settings s;
    s.browserPath = std::u16string(400, u'x');
    s.playSound = 0x55;
    const SettingsFileBytes f = encodeSettings(s);
    ASSERT_EQ(f.size(), 544u);
    EXPECT_EQ(f[12 + 2 * 258], 'x');
    EXPECT_EQ(f[12 + 2 * 259], 0);
    EXPECT_EQ(f[12 + 2 * 259 + 1], 0);
    EXPECT_EQ(int32At(f, 532), 0x55);  // the path does not run into the next field

    Settings loaded;
    decodeSettings(f.data(), f.size(), loaded);
    EXPECT_EQ(loaded.browserPath, std::u16string(259, u'x'));
}

}  // namespace
}  // namespace zelko
