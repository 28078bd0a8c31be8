// Starting with no settings file, a damaged or cut one, a read-only one or a folder in its place:
// the program runs either way, with the values the file holds and the defaults for the rest.

#include <gtest/gtest.h>

#include <vector>

#include "resources/resource_ids.h"
#include "support/resident_program.h"
#include "support/settings_dialog_driver.h"
#include "support/wait.h"

namespace zelko::test {
namespace {

enum class Place { Missing, File, ReadOnlyFile, Folder };

// The dialog's boxes: launch, address bar, sound, picture.
using Boxes = std::vector<bool>;
const Boxes kDefaultBoxes = {false, true, true, true};

struct SettingsFileCase {
    const char* name;
    Place place;
    std::string bytes;
    Boxes boxes;  // as the settings dialog shows them after the start
};

void PrintTo(const SettingsFileCase& file, std::ostream* out) {
    *out << file.name;
}

// A whole file whose shown fields all differ from the defaults: launch, no sound, no picture.
std::string fileUnlikeTheDefaults() {
    Settings settings;
    settings.outputMode = LaunchBrowser;
    settings.browserPath = u"C:\\b.exe";
    settings.playSound = 0;
    settings.showDialog = 0;
    const auto bytes = encodeSettings(settings);
    return std::string(bytes.begin(), bytes.end());
}

// That file cut to `length` bytes: outputMode starts at byte 8, playSound at 532, showDialog at
// 536; a field of which the file holds its first byte is read from it.
SettingsFileCase cutAt(const char* name, size_t length) {
    return {name, Place::File, fileUnlikeTheDefaults().substr(0, length),
            Boxes{length > 8, length <= 8, length <= 532, length <= 536}};
}

class StartWithSettingsFile : public ::testing::TestWithParam<SettingsFileCase> {};

TEST_P(StartWithSettingsFile, ProgramRunsWithTheValuesTheFileHolds) {
    const SettingsFileCase& c = GetParam();
    ResidentProgram program(Build::Shipped);
    const std::wstring path = program.settingsPath();
    switch (c.place) {
        case Place::Missing:
            break;
        case Place::File:
            program.writeSettingsBytes(c.bytes);
            break;
        case Place::ReadOnlyFile:
            program.writeSettingsBytes(c.bytes);
            ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
            break;
        case Place::Folder:
            ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
            break;
    }
    ASSERT_TRUE(program.start());
    EXPECT_TRUE(program.process().running());

    HWND dialog = openSettingsDialog(program);
    ASSERT_NE(dialog, nullptr) << "the settings dialog did not open";
    Boxes boxes;
    for (int box : {IDC_LAUNCH_BROWSER, IDC_SET_ADDRESS_BAR, IDC_PLAY_SOUND, IDC_SHOW_DIALOG}) {
        boxes.push_back(isBoxChecked(dialog, box));
    }
    EXPECT_EQ(boxes, c.boxes);
    clickDialogButton(dialog, IDCANCEL);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(dialog); }, 5s));

    EXPECT_EQ(program.close(), 0u);
    // Starting never writes the settings file.
    if (c.place == Place::Folder) {
        const DWORD attributes = GetFileAttributesW(path.c_str());
        EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES &&
                    (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
    } else {
        EXPECT_EQ(program.settingsBytes(), c.bytes);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, StartWithSettingsFile,
    ::testing::Values(
        SettingsFileCase{"missing", Place::Missing, {}, kDefaultBoxes},
        SettingsFileCase{"empty", Place::File, {}, kDefaultBoxes},
        SettingsFileCase{"short", Place::File, std::string("\x01\x00\x00", 3), kDefaultBoxes},
        SettingsFileCase{"garbage", Place::File, std::string(544, '\xFF'), kDefaultBoxes},
        SettingsFileCase{"oversized", Place::File, std::string(5000, 'x'), kDefaultBoxes},
        cutAt("cut_before_output_mode", 8), cutAt("cut_in_output_mode", 9),
        cutAt("cut_before_sound", 532), cutAt("cut_in_sound", 533),
        cutAt("cut_before_picture", 536), cutAt("cut_in_picture", 537),
        cutAt("cut_in_auto_login", 543), cutAt("whole", 544),
        SettingsFileCase{"read_only", Place::ReadOnlyFile, fileUnlikeTheDefaults(),
                         Boxes{true, false, false, false}},
        SettingsFileCase{"folder", Place::Folder, {}, kDefaultBoxes}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zelko::test
