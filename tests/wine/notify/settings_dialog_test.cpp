// The settings dialog, opened from the tray menu as a user would, and what apply and cancel do to
// the settings file.

#include <gtest/gtest.h>

#include <cstring>

#include "resources/resource_ids.h"
#include "support/resident_program.h"
#include "support/settings_dialog_driver.h"
#include "support/test_paths.h"
#include "support/tray_menu.h"
#include "support/wait.h"

namespace zelko::test {
namespace {

std::int32_t fieldAt(const std::string& file, size_t offset) {
    std::int32_t value = 0;
    std::memcpy(&value, file.data() + offset, sizeof value);
    return value;
}

class SettingsDialog : public ::testing::Test {
  protected:
    void startWith(const Settings& settings) {
        program.writeSettings(settings);
        ASSERT_TRUE(program.start());
        dialog = openSettingsDialog(program);
        ASSERT_NE(dialog, nullptr) << "the settings dialog did not open";
    }
    void TearDown() override {
        if (dialog && IsWindow(dialog)) {
            clickDialogButton(dialog, IDCANCEL);
        }
    }
    ResidentProgram program;
    HWND dialog = nullptr;
};

TEST_F(SettingsDialog, ShowsTheSettingsAndKeepsTheOutputBoxesAPair) {
    Settings settings;
    settings.outputMode = SetAddressBar;
    settings.playSound = 1;
    settings.showDialog = 0;
    startWith(settings);

    EXPECT_FALSE(isBoxChecked(dialog, IDC_LAUNCH_BROWSER));
    EXPECT_TRUE(isBoxChecked(dialog, IDC_SET_ADDRESS_BAR));
    EXPECT_TRUE(isBoxChecked(dialog, IDC_PLAY_SOUND));
    EXPECT_FALSE(isBoxChecked(dialog, IDC_SHOW_DIALOG));

    clickBox(dialog, IDC_LAUNCH_BROWSER);
    EXPECT_TRUE(isBoxChecked(dialog, IDC_LAUNCH_BROWSER));
    EXPECT_FALSE(isBoxChecked(dialog, IDC_SET_ADDRESS_BAR));

    clickBox(dialog, IDC_LAUNCH_BROWSER);
    EXPECT_TRUE(isBoxChecked(dialog, IDC_LAUNCH_BROWSER)) << "a click on the checked box keeps it";
    EXPECT_FALSE(isBoxChecked(dialog, IDC_SET_ADDRESS_BAR));
}

TEST_F(SettingsDialog, IsCentredOnTheDesktop) {
    startWith(Settings{});
    RECT desktop{}, bounds{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    GetWindowRect(dialog, &bounds);
    int width = bounds.right - bounds.left;
    int height = bounds.bottom - bounds.top;
    EXPECT_NEAR(bounds.left, (desktop.right - width) / 2, 1);
    EXPECT_NEAR(bounds.top, (desktop.bottom - height) / 2, 1);
}

TEST_F(SettingsDialog, ApplyWritesTheChoicesToTheFile) {
    Settings settings;
    settings.outputMode = SetAddressBar;
    settings.useBrowserPath = 1;  // loads as 0 and is always written as 0
    settings.browserPath = u"C:\\Program Files\\ブラウザ\\browser.exe";
    startWith(settings);

    clickBox(dialog, IDC_PLAY_SOUND);  // clear the sound box
    clickBox(dialog, IDC_LAUNCH_BROWSER);
    clickDialogButton(dialog, IDOK);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(dialog); }, 5s));
    dialog = nullptr;

    std::string file;
    ASSERT_TRUE(waitUntil([&] { return (file = program.settingsBytes()).size() == 544; }, 5s));
    EXPECT_EQ(fieldAt(file, 0), 1) << "version";
    EXPECT_EQ(fieldAt(file, 4), 0) << "useBrowserPath";
    EXPECT_EQ(fieldAt(file, 8), LaunchBrowser) << "outputMode";
    EXPECT_EQ(fieldAt(file, 532), 0) << "playSound";
    EXPECT_EQ(fieldAt(file, 536), 1) << "showDialog";
    EXPECT_EQ(fieldAt(file, 540), 0) << "autoLogin";
    Settings stored;
    decodeSettings(reinterpret_cast<const std::uint8_t*>(file.data()), file.size(), stored);
    EXPECT_EQ(stored.browserPath, settings.browserPath) << "the browser path is kept";
    EXPECT_FALSE(fileExists(program.perUserSettingsPath()))
        << "a file beside the program that can be written is where the settings go";
}

TEST_F(SettingsDialog, CancelLeavesTheFileUnchanged) {
    Settings settings;
    settings.outputMode = LaunchBrowser;
    settings.showDialog = 1;
    startWith(settings);
    std::string before = program.settingsBytes();

    clickBox(dialog, IDC_SET_ADDRESS_BAR);
    clickBox(dialog, IDC_SHOW_DIALOG);
    clickBox(dialog, IDC_PLAY_SOUND);
    clickDialogButton(dialog, IDCANCEL);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(dialog); }, 5s));
    dialog = nullptr;

    EXPECT_EQ(program.settingsBytes(), before);
    // The settings in memory did not change either: the dialog shows them as before.
    dialog = openSettingsDialog(program);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(isBoxChecked(dialog, IDC_LAUNCH_BROWSER));
    EXPECT_FALSE(isBoxChecked(dialog, IDC_SET_ADDRESS_BAR));
    EXPECT_TRUE(isBoxChecked(dialog, IDC_SHOW_DIALOG));
}

TEST_F(SettingsDialog, TrayClickWhileOpenBringsItForwardAndOpensNoMenu) {
    startWith(Settings{});
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                 nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    ASSERT_TRUE(waitUntil([&] { return GetForegroundWindow() == other; }, 3s));

    program.postToTray(kTrayIconMessage, 1, WM_RBUTTONDOWN);
    EXPECT_TRUE(waitUntil([&] { return GetForegroundWindow() == dialog; }, 3s));
    EXPECT_FALSE(waitUntil([&] { return popupMenuOpen(program.process().id()); }, 500ms));
    DestroyWindow(other);
}

}  // namespace
}  // namespace zelko::test
