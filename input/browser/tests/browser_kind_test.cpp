#include "browser/browser_kind.h"

#include <gtest/gtest.h>

#include <string>

namespace zelko {
namespace {

struct CommandLineCase {
    std::u16string commandLine;
    BrowserKind kind;
};

void PrintTo(const CommandLineCase& c, std::ostream* os) {
    *os << ::testing::PrintToString(c.commandLine) << " -> " << c.kind;
}

class BrowserKindFromCommandLineTest : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(BrowserKindFromCommandLineTest, FirstSubstringInTableOrderDecides) {
    EXPECT_EQ(browserKindFromCommandLine(GetParam().commandLine), GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, BrowserKindFromCommandLineTest,
    ::testing::Values(
        CommandLineCase{u"\"C:\\Program Files\\Internet Explorer\\iexplore.exe\" -nohome",
                        InternetExplorer},
        CommandLineCase{u"\"C:\\Sleipnir\\sleipnir.exe\" \"%1\"", Sleipnir},
        CommandLineCase{u"\"C:\\Mozilla Firefox\\firefox.exe\" -url \"%1\"", Firefox},
        CommandLineCase{u"\"C:\\Safari\\Safari.exe\" -url \"%1\"", Safari},
        CommandLineCase{u"\"C:\\Opera\\opera.exe\" \"%1\"", Opera},
        CommandLineCase{u"\"C:\\Google\\Chrome\\Application\\chrome.exe\" -- \"%1\"", Chrome},
        // Table order, not the position in the text.
        CommandLineCase{u"firefox.exe --via iexplore.exe \"%1\"", InternetExplorer},
        CommandLineCase{u"\"C:\\chrome\\opera.exe\" \"%1\"", Opera},
        // Letters are compared case-insensitively.
        CommandLineCase{u"\"C:\\PROGRAM FILES\\MOZILLA FIREFOX\\FIREFOX.EXE\" \"%1\"", Firefox},
        CommandLineCase{u"C:\\Google\\ChRoMe.exe %1", Chrome},
        CommandLineCase{u"\"C:\\windows\\system32\\winebrowser.exe\" -nohome", UnknownBrowser},
        CommandLineCase{u"", UnknownBrowser},
        // Only A-Z are folded: a full-width "ｏｐｅｒａ" is no match.
        CommandLineCase{u"ｏｐｅｒａ.exe", UnknownBrowser}));

TEST(BrowserTraits, OperaUsesCtrlLAndEveryOtherKindAltD) {
    for (const BrowserTraits& traits : knownBrowsers()) {
        EXPECT_EQ(traits.addressBarChord, traits.kind == Opera ? 0x024C : 0x0444) << traits.kind;
        EXPECT_EQ(browserTraitsOf(traits.kind), &traits);
    }
    EXPECT_EQ(browserTraitsOf(UnknownBrowser), nullptr);
    EXPECT_EQ(browserTraitsOf(static_cast<BrowserKind>(6)), nullptr);
}

}  // namespace
}  // namespace zelko
