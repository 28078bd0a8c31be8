#include "install/dialogs/install_path.h"

#include <gtest/gtest.h>

namespace zelko {
namespace {

constexpr char16_t kCurrentFolder[] = u"C:\\Users\\user\\Downloads";

TEST(InstallPath, AppendsTheMakerAndProgramFolders) {
    struct Case {
        const char16_t* typed;
        const char16_t* expected;
    };
    const Case cases[] = {
        {u"C:\\Program Files", u"C:\\Program Files\\Orvandale\\ZelkoInput"},
        {u"C:\\Program Files\\", u"C:\\Program Files\\Orvandale\\ZelkoInput"},
        {u"D:\\", u"D:\\Orvandale\\ZelkoInput"},
        {u"D:", u"D:\\Orvandale\\ZelkoInput"},
        {u"abc", u"C:\\Users\\user\\Downloads\\abc\\Orvandale\\ZelkoInput"},
        {u"..", u"C:\\Users\\user\\Orvandale\\ZelkoInput"},
        {u"\\\\server\\share", u"\\\\server\\share\\Orvandale\\ZelkoInput"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(composeInstallPath(c.typed, kCurrentFolder), std::u16string(c.expected));
    }
}

TEST(InstallPath, RefusesWhatIsNoFolder) {
    EXPECT_FALSE(composeInstallPath(u"", kCurrentFolder));
    EXPECT_FALSE(composeInstallPath(u"\\\\server", kCurrentFolder));
    // "..." would lose its trailing dot and stand in the folder as a "..", which names the
    // folder above: the folder shown would not be the folder written.
    EXPECT_FALSE(composeInstallPath(u"..\\...\\y", kCurrentFolder));
    EXPECT_FALSE(composeInstallPath(u"D:\\apps\\. \\x", kCurrentFolder));
}

// Every path the programs keep below the folder must fit 259 characters, the longest being the
// uninstaller's ("\ZelkoUnInstall.exe", 19 characters).
TEST(InstallPath, RefusesFoldersTooLongForTheProgramsPaths) {
    EXPECT_EQ(longestInstallFolder(), 240u);
    const std::u16string suffix = u"\\Orvandale\\ZelkoInput";
    const std::u16string fits = u"C:\\" + std::u16string(240 - 3 - suffix.size(), u'a');
    auto composed = composeInstallPath(fits, kCurrentFolder);
    ASSERT_TRUE(composed);
    EXPECT_EQ(composed->size(), 240u);
    EXPECT_FALSE(composeInstallPath(fits + u"b", kCurrentFolder));
}

// The settings dialog reads at most 259 characters; a longer text is refused, never cut, even
// when it would come down to a short folder.
TEST(InstallPath, RefusesTypedTextLongerThanTheField) {
    std::u16string typed = u"C:";
    while (typed.size() + 2 <= 259) {
        typed += u"\\.";
    }
    typed.resize(259, u'\\');
    EXPECT_EQ(composeInstallPath(typed, kCurrentFolder),
              std::u16string(u"C:\\Orvandale\\ZelkoInput"));
    EXPECT_FALSE(composeInstallPath(typed + u"\\", kCurrentFolder));
}

}  // namespace
}  // namespace zelko
