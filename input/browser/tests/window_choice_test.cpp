#include "browser/window_choice.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace zelko {
namespace {

BrowserWindowRecord window(std::u16string process, std::u16string windowClass,
                           std::u16string title = u"page", bool hasParent = false) {
    BrowserWindowRecord record;
    record.processName = std::move(process);
    record.windowClass = std::move(windowClass);
    record.windowTitle = std::move(title);
    record.hasParent = hasParent;
    return record;
}

BrowserWindowRecord hidden(BrowserWindowRecord record) {
    record.visible = false;
    return record;
}

struct ChoiceCase {
    const char* name;
    BrowserKind kind;
    std::vector<BrowserWindowRecord> records;
    std::optional<std::size_t> chosen;
};

void PrintTo(const ChoiceCase& c, std::ostream* os) {
    *os << c.name;
}

class ChooseBrowserWindowTest : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(ChooseBrowserWindowTest, ChoosesTheFirstQualifyingWindow) {
    EXPECT_EQ(chooseBrowserWindow(GetParam().kind, GetParam().records), GetParam().chosen);
}

INSTANTIATE_TEST_SUITE_P(
    Records, ChooseBrowserWindowTest,
    ::testing::Values(
        ChoiceCase{"FirefoxDownloadManagerRejected",
                   Firefox,
                   {window(u"firefox.exe", u"MozillaUIWindowClass", u"ダウンロードマネージャ"),
                    window(u"firefox.exe", u"MozillaUIWindowClass", u"Example - Mozilla")},
                   1},
        ChoiceCase{"FirefoxWrongClassRejected",
                   Firefox,
                   {window(u"firefox.exe", u"MozillaDialogClass"),
                    window(u"firefox.exe", u"mozillauiwindowclassX"),
                    window(u"FIREFOX.EXE", u"MOZILLAUIWINDOWCLASS")},
                   2},
        ChoiceCase{"FirefoxOnlyDownloadManager",
                   Firefox,
                   {window(u"firefox.exe", u"MozillaUIWindowClass", u"ダウンロードマネージャ")},
                   std::nullopt},
        ChoiceCase{
            "InternetExplorerOnlyIEFrame",
            InternetExplorer,
            {window(u"iexplore.exe", u"Shell DocObject View"), window(u"iexplore.exe", u"IEFrame")},
            1},
        ChoiceCase{"InternetExplorerNoIEFrame",
                   InternetExplorer,
                   {window(u"iexplore.exe", u"Internet Explorer_Hidden")},
                   std::nullopt},
        ChoiceCase{"ChromeAnyParentlessWindow",
                   Chrome,
                   {window(u"chrome.exe", u"Chrome_WidgetWin_1", u"", true),
                    window(u"chrome.exe", u"Chrome_MessageWindow", u"")},
                   1},
        ChoiceCase{"ChromeHiddenWindowsPassedOver",
                   Chrome,
                   {hidden(window(u"chrome.exe", u"Chrome_SystemMessageWindow", u"")),
                    hidden(window(u"chrome.exe", u"Chrome_WidgetWin_0", u"")),
                    window(u"chrome.exe", u"Chrome_WidgetWin_1", u"Example - Google Chrome")},
                   2},
        ChoiceCase{"OnlyHiddenWindows",
                   Firefox,
                   {hidden(window(u"firefox.exe", u"MozillaUIWindowClass", u"Page"))},
                   std::nullopt},
        ChoiceCase{"OperaAnyClassAnyTitle",
                   Opera,
                   {window(u"Opera.exe", u"OperaWindowClass", u"ダウンロードマネージャ")},
                   0},
        ChoiceCase{"SleipnirAndSafariAnyWindow",
                   Safari,
                   {window(u"sleipnir.exe", u"Sleipnir"), window(u"safari.exe", u"Anything")},
                   1},
        ChoiceCase{"OtherProcessesIgnored",
                   Chrome,
                   {window(u"explorer.exe", u"Chrome_WidgetWin_1"),
                    window(u"chrom.exe", u"Chrome_WidgetWin_1"), window(u"", u"X"),
                    window(u"chrome.exe.old", u"Chrome_WidgetWin_1")},
                   3},
        ChoiceCase{"FirstFoundWins",
                   Sleipnir,
                   {window(u"sleipnir.exe", u"A", u"first"), window(u"sleipnir.exe", u"B")},
                   0},
        ChoiceCase{"UnknownKindChoosesNothing",
                   UnknownBrowser,
                   {window(u"chrome.exe", u"Chrome_WidgetWin_1")},
                   std::nullopt},
        ChoiceCase{"NoRecords", Chrome, {}, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IsProcessOfBrowser, ComparesTheStartOfTheLowerCasedName) {
    EXPECT_TRUE(isProcessOfBrowser(Chrome, u"CHROME.EXE"));
    EXPECT_TRUE(isProcessOfBrowser(Chrome, u"chrome.exe"));
    EXPECT_FALSE(isProcessOfBrowser(Chrome, u"chrome"));
    EXPECT_FALSE(isProcessOfBrowser(Chrome, u"googlechrome.exe"));
    EXPECT_FALSE(isProcessOfBrowser(UnknownBrowser, u"chrome.exe"));
}

}  // namespace
}  // namespace zelko
