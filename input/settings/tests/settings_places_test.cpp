#include "settings/settings_places.h"

#include <gtest/gtest.h>

namespace zelko {
namespace {

using Places = std::vector<SettingsPlace>;

TEST(SettingsPlaces, ThePerUserFileIsReadWhenItExists) {
    EXPECT_EQ(settingsPlacesToLoad(true),
              (Places{SettingsPlace::PerUser, SettingsPlace::BesideProgram}));
    EXPECT_EQ(settingsPlacesToLoad(false), Places{SettingsPlace::BesideProgram});
}

TEST(SettingsPlaces, SavedWhereTheNextStartReadsThem) {
    // Once there is a per-user file it is the one read, so it is the one written.
    EXPECT_EQ(settingsPlacesToSave(true), Places{SettingsPlace::PerUser});
    // Otherwise beside the program, as ever; the per-user file only when that cannot be written.
    EXPECT_EQ(settingsPlacesToSave(false),
              (Places{SettingsPlace::BesideProgram, SettingsPlace::PerUser}));
}

TEST(SettingsPlaces, PerUserFileHasTheNameOfTheFileBesideTheProgram) {
    struct Case {
        std::u16string localAppData;
        std::u16string executable;
        std::u16string perUser;
    };
    const Case cases[] = {
        {u"C:\\Users\\taro\\AppData\\Local", u"C:\\Program Files\\ZELKO\\ZelkoInput.exe",
         u"C:\\Users\\taro\\AppData\\Local\\Orvandale\\ZelkoInput\\ZelkoInput.cfg"},
        {u"C:\\Users\\太郎\\AppData\\Local\\", u"D:\\x\\ZelkoInputTest.exe",
         u"C:\\Users\\太郎\\AppData\\Local\\Orvandale\\ZelkoInput\\ZelkoInputTest.cfg"},
        {u"C:\\L", u"C:\\x\\入力.EXE", u"C:\\L\\Orvandale\\ZelkoInput\\入力.cfg"},
        {u"C:\\L", u"ZelkoInput.exe", u"C:\\L\\Orvandale\\ZelkoInput\\ZelkoInput.cfg"},
        {u"C:\\L", u"C:/x/ZelkoInput.exe", u"C:\\L\\Orvandale\\ZelkoInput\\ZelkoInput.cfg"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(perUserSettingsFileFor(c.localAppData, c.executable), c.perUser);
    }
}

TEST(SettingsPlaces, NoPerUserFileWithoutAFolderOrAName) {
    EXPECT_EQ(perUserSettingsFileFor(u"", u"C:\\x\\ZelkoInput.exe"), u"");
    EXPECT_EQ(perUserSettingsFileFor(u"\\", u"C:\\x\\ZelkoInput.exe"), u"");
    EXPECT_EQ(perUserSettingsFileFor(u"C:\\L", u""), u"");
    EXPECT_EQ(perUserSettingsFileFor(u"C:\\L", u"ab"), u"");
    EXPECT_EQ(perUserSettingsFolderFor(u"C:\\L\\\\"), u"C:\\L\\Orvandale\\ZelkoInput");
}

}  // namespace
}  // namespace zelko
