#include "settings_dialog/settings_apply.h"

#include <gtest/gtest.h>

namespace zelko {
namespace {

Settings storedSettings(std::int32_t outputMode) {
    Settings s;
    s.useBrowserPath = 1;
    s.outputMode = outputMode;
    s.browserPath = u"C:\\browser.exe";
    s.playSound = 7;
    s.showDialog = 7;
    s.autoLogin = 1;
    return s;
}

TEST(ApplySettingsDialog, StoresTheBoxes) {
    struct Case {
        std::int32_t outputModeBefore;
        SettingsDialogChecks checks;  // 1003, 1004, 1005, 1006
        std::int32_t outputMode;
        std::int32_t playSound;
        std::int32_t showDialog;
    };
    const Case cases[] = {
        {1, {true, false, true, true}, 0, 1, 1},
        {0, {false, true, false, false}, 1, 0, 0},
        {0, {true, true, true, false}, 1, 1, 0},  // 1004 wins
        {1, {true, true, false, true}, 1, 0, 1},
        {0, {false, false, false, true}, 0, 0, 1},  // neither: unchanged
        {1, {false, false, true, false}, 1, 1, 0},
        {1, {true, false, false, false}, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "before " << c.outputModeBefore << " boxes " << c.checks.launchBrowser
                     << c.checks.setAddressBar << c.checks.playSound << c.checks.showDialog);
        Settings s = storedSettings(c.outputModeBefore);
        applySettingsDialog(c.checks, s);
        EXPECT_EQ(s.useBrowserPath, 0);
        EXPECT_EQ(s.outputMode, c.outputMode);
        EXPECT_EQ(s.playSound, c.playSound);
        EXPECT_EQ(s.showDialog, c.showDialog);
        EXPECT_EQ(s.autoLogin, 1);
        EXPECT_EQ(s.browserPath, u"C:\\browser.exe");
    }
}

TEST(ChecksForSettings, ShowTheStoredSettings) {
    struct Case {
        std::int32_t outputMode;
        std::int32_t playSound;
        std::int32_t showDialog;
        SettingsDialogChecks checks;
    };
    const Case cases[] = {
        {0, 1, 1, {true, false, true, true}},
        {1, 0, 0, {false, true, false, false}},
        {1, 2, -1, {false, true, true, true}},  // any nonzero flag is checked
        {5, 0, 1, {false, false, false, true}},
    };
    for (const Case& c : cases) {
        Settings s;
        s.outputMode = c.outputMode;
        s.playSound = c.playSound;
        s.showDialog = c.showDialog;
        const SettingsDialogChecks got = checksForSettings(s);
        SCOPED_TRACE(c.outputMode);
        EXPECT_EQ(got.launchBrowser, c.checks.launchBrowser);
        EXPECT_EQ(got.setAddressBar, c.checks.setAddressBar);
        EXPECT_EQ(got.playSound, c.checks.playSound);
        EXPECT_EQ(got.showDialog, c.checks.showDialog);
    }
}

TEST(SettingsDialog, ApplyingTheShownBoxesKeepsNormalisedSettings) {
    for (std::int32_t mode : {0, 1}) {
        Settings s = storedSettings(mode);
        s.useBrowserPath = 0;
        s.playSound = 1;
        s.showDialog = 0;
        const Settings before = s;
        applySettingsDialog(checksForSettings(s), s);
        EXPECT_EQ(s.outputMode, before.outputMode);
        EXPECT_EQ(s.playSound, before.playSound);
        EXPECT_EQ(s.showDialog, before.showDialog);
    }
}

}  // namespace
}  // namespace zelko
