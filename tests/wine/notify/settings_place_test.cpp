// Where the settings that the user applies are kept: beside the program when that can be written,
// otherwise in the per-user folder, which from then on is read first.

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>

#include "resources/resource_ids.h"
#include "support/resident_program.h"
#include "support/settings_dialog_driver.h"
#include "support/test_paths.h"
#include "support/wait.h"

namespace zelko::test {
namespace {

Settings decoded(const std::string& file) {
    Settings settings;
    decodeSettings(reinterpret_cast<const std::uint8_t*>(file.data()), file.size(), settings);
    return settings;
}

class SettingsPlace : public ::testing::Test {
  protected:
    // Opens the dialog, clicks the boxes and applies.
    void applyWithClicks(std::initializer_list<int> boxes) {
        HWND dialog = openSettingsDialog(program);
        ASSERT_NE(dialog, nullptr) << "the settings dialog did not open";
        for (int box : boxes) {
            clickBox(dialog, box);
        }
        clickDialogButton(dialog, IDOK);
        ASSERT_TRUE(waitUntil([&] { return !IsWindow(dialog); }, 5s));
    }

    // The boxes as the dialog of a fresh start shows them: launch, address bar, sound, picture.
    std::vector<bool> boxesAfterRestart() {
        EXPECT_TRUE(program.close().has_value());
        EXPECT_TRUE(program.start());
        HWND dialog = openSettingsDialog(program);
        if (dialog == nullptr) {
            ADD_FAILURE() << "the settings dialog did not open";
            return {};
        }
        std::vector<bool> boxes;
        for (int box : {IDC_LAUNCH_BROWSER, IDC_SET_ADDRESS_BAR, IDC_PLAY_SOUND, IDC_SHOW_DIALOG}) {
            boxes.push_back(isBoxChecked(dialog, box));
        }
        clickDialogButton(dialog, IDCANCEL);
        return boxes;
    }

    ResidentProgram program;
};

// What stands where the file beside the program would be, and cannot be written: a folder (which
// can be neither read nor written, like a file under Program Files for a user without administrator
// rights) or a read-only file (which is read).
struct UnwritableCase {
    const char* name;
    bool readOnlyFile;  // else a folder
};

void PrintTo(const UnwritableCase& c, std::ostream* out) {
    *out << c.name;
}

class UnwritableBesideTheProgram : public SettingsPlace,
                                   public ::testing::WithParamInterface<UnwritableCase> {};

TEST_P(UnwritableBesideTheProgram, FileGivesWayToThePerUserFile) {
    // In the read-only file the picture is off, unlike the defaults, so that its values show.
    Settings inFile;
    inFile.showDialog = 0;
    const bool readOnly = GetParam().readOnlyFile;
    if (readOnly) {
        program.writeSettings(inFile);
        ASSERT_TRUE(SetFileAttributesW(program.settingsPath().c_str(), FILE_ATTRIBUTE_READONLY));
    } else {
        ASSERT_TRUE(CreateDirectoryW(program.settingsPath().c_str(), nullptr));
    }
    const std::string before = program.settingsBytes();
    ASSERT_FALSE(fileExists(program.perUserSettingsPath()));
    ASSERT_TRUE(program.start());

    applyWithClicks({IDC_LAUNCH_BROWSER, IDC_PLAY_SOUND});
    std::string file;
    ASSERT_TRUE(waitUntil(
        [&] { return (file = readFileBytes(program.perUserSettingsPath())).size() == 544; }, 5s));
    const Settings stored = decoded(file);
    EXPECT_EQ(stored.outputMode, LaunchBrowser);
    EXPECT_EQ(stored.playSound, 0);
    EXPECT_EQ(stored.showDialog, readOnly ? 0 : 1);
    EXPECT_EQ(program.settingsBytes(), before) << "what was in the way is left as it was";

    // The next start reads them: the choices are kept.
    EXPECT_EQ(boxesAfterRestart(), (std::vector<bool>{true, false, false, !readOnly}));
}

INSTANTIATE_TEST_SUITE_P(InTheWay, UnwritableBesideTheProgram,
                         ::testing::Values(UnwritableCase{"folder", false},
                                           UnwritableCase{"read_only_file", true}),
                         [](const auto& info) { return std::string(info.param.name); });

// Neither beside the program nor per user can the file be written: the choices hold for this run,
// nothing is written, and the next start has the defaults again.
TEST_F(SettingsPlace, NoPlaceToWriteKeepsTheChoicesForThisRunOnly) {
    ASSERT_TRUE(CreateDirectoryW(program.settingsPath().c_str(), nullptr));
    const std::wstring perUserPath = program.perUserSettingsPath();
    const std::wstring folder = perUserPath.substr(0, perUserPath.find_last_of(L'\\'));
    ASSERT_EQ(SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr), ERROR_SUCCESS);
    ASSERT_TRUE(CreateDirectoryW(perUserPath.c_str(), nullptr));
    ASSERT_TRUE(program.start());

    applyWithClicks({IDC_LAUNCH_BROWSER, IDC_SHOW_DIALOG});
    HWND dialog = openSettingsDialog(program);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(isBoxChecked(dialog, IDC_LAUNCH_BROWSER)) << "held in memory";
    EXPECT_FALSE(isBoxChecked(dialog, IDC_SHOW_DIALOG));
    clickDialogButton(dialog, IDCANCEL);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(dialog); }, 5s));
    for (const std::wstring& path : {program.settingsPath(), perUserPath}) {
        const DWORD attributes = GetFileAttributesW(path.c_str());
        EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES &&
                    (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            << path;
    }
    EXPECT_EQ(boxesAfterRestart(), (std::vector<bool>{false, true, true, true}));
}

TEST_F(SettingsPlace, PerUserFileIsReadFirstAndWrittenAgain) {
    Settings beside;
    beside.outputMode = SetAddressBar;
    beside.playSound = 1;
    beside.showDialog = 1;
    program.writeSettings(beside);
    const std::string besideBytes = program.settingsBytes();
    Settings perUser = beside;
    perUser.outputMode = LaunchBrowser;
    perUser.playSound = 0;
    const auto perUserBytes = encodeSettings(perUser);
    const std::wstring perUserPath = program.perUserSettingsPath();
    const std::wstring folder = perUserPath.substr(0, perUserPath.find_last_of(L'\\'));
    CreateDirectoryW(folder.substr(0, folder.find_last_of(L'\\')).c_str(), nullptr);
    CreateDirectoryW(folder.c_str(), nullptr);
    ASSERT_TRUE(writeFileBytes(perUserPath, std::string(perUserBytes.begin(), perUserBytes.end())));
    ASSERT_TRUE(program.start());

    applyWithClicks({IDC_SHOW_DIALOG});
    std::string file;
    ASSERT_TRUE(waitUntil(
        [&] {
            file = readFileBytes(perUserPath);
            return file.size() == 544 && decoded(file).showDialog == 0;
        },
        5s));
    EXPECT_EQ(decoded(file).outputMode, LaunchBrowser) << "read from the per-user file";
    EXPECT_EQ(decoded(file).playSound, 0);
    EXPECT_EQ(program.settingsBytes(), besideBytes) << "the file beside the program is left alone";
    EXPECT_EQ(boxesAfterRestart(), (std::vector<bool>{true, false, false, false}));
}

}  // namespace
}  // namespace zelko::test
