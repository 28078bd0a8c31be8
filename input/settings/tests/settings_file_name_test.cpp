#include "settings/settings.h"

#include <gtest/gtest.h>

namespace zelko {
namespace {

TEST(SettingsFileName, LastThreeCharactersBecomeCfg) {
    struct Case {
        std::u16string executable;
        std::u16string settings;
    };
    const Case cases[] = {
        {u"C:\\Program Files\\ZELKO\\ZelkoInput.exe", u"C:\\Program Files\\ZELKO\\ZelkoInput.cfg"},
        {u"C:\\x\\ZelkoInputTest.exe", u"C:\\x\\ZelkoInputTest.cfg"},
        {u"C:\\ゼルコ\\入力.EXE", u"C:\\ゼルコ\\入力.cfg"},
        {u"C:\\x\\noext", u"C:\\x\\nocfg"},
        {u"abc", u"cfg"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(settingsFileNameFor(c.executable), c.settings);
    }
}

TEST(SettingsFileName, PathShorterThanThreeCharactersGivesNoName) {
    EXPECT_EQ(settingsFileNameFor(u""), u"");
    EXPECT_EQ(settingsFileNameFor(u"a"), u"");
    EXPECT_EQ(settingsFileNameFor(u"ab"), u"");
}

TEST(SettingsFileName, LongPathIsNotCut) {
    const std::u16string folder = u"C:\\" + std::u16string(400, u'd') + u"\\";
    EXPECT_EQ(settingsFileNameFor(folder + u"ZelkoInput.exe"), folder + u"ZelkoInput.cfg");
}

}  // namespace
}  // namespace zelko
