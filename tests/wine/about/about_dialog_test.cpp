// The about dialog as built and as the user sees it: the template's texts, ids and positions, the
// pen's firmware version, the support page, and a screenshot with the glyph check.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "about/versions.h"
#include "about_fixture.h"
#include "resources/resource_ids.h"
#include "support/dialog_template.h"
#include "support/fake_browser_bench.h"
#include "support/glyphs.h"
#include "support/reference_service.h"
#include "support/screenshot.h"
#include "support/test_paths.h"
#include "support/wait.h"

namespace zelko::test {
namespace {

constexpr DWORD kNoId = 0xFFFFFFFF;

std::wstring wideOf(const std::string& ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

std::wstring controlText(HWND dialog, int id) {
    wchar_t text[256] = {};
    GetDlgItemTextW(dialog, id, text, 256);
    return text;
}

std::optional<DialogTemplate> shippedAboutDialog() {
    return loadDialogTemplate(binDirectory() + L"\\ZelkoInput.exe", IDD_ABOUT);
}

TEST(AboutDialogTemplate, HasTheTextsIdsAndPositions) {
    const std::optional<DialogTemplate> dialog = shippedAboutDialog();
    ASSERT_TRUE(dialog) << "no dialog 106 in ZelkoInput.exe";
    EXPECT_EQ(dialog->title, L"このアプリケーションについて");
    EXPECT_EQ(dialog->typeface, L"MS Shell Dlg");
    EXPECT_EQ(dialog->pointSize, 8);
    for (DWORD bit :
         {DWORD(DS_MODALFRAME), DWORD(WS_POPUP), DWORD(WS_CAPTION), DWORD(WS_SYSMENU)}) {
        EXPECT_EQ(dialog->style & bit, bit) << std::hex << bit;
    }

    const std::wstring description =
        L"本アプリケーションはZELKOペンからの入力を取得してブラウザを\n"
        L"起動するためのタスクトレイ常駐型アプリケーションです。\n\nZelkoInput.exe ver " +
        wideOf(middlewareVersionText(kThisMiddlewareVersion)) + L"\n\n";
    struct Expected {
        DWORD id;
        const wchar_t* className;
        std::wstring text;
        short x, y, cx, cy;
    };
    const Expected expected[] = {
        {IDC_OPEN_SUPPORT_PAGE, L"Button", L"サポートページを開く", 7, 88, 71, 14},
        {IDC_UPDATE_CHECK, L"Button", L"アップデートチェック", 82, 88, 71, 14},
        {IDOK, L"Button", L"閉じる", 157, 88, 71, 14},
        {kNoId, L"Static", description, 7, 7, 221, 52},
        {IDC_PEN_VERSION, L"Edit", L"", 191, 67, 24, 12},
        {kNoId, L"Static", L"ZELKOペンのバージョン：", 110, 67, 80, 9},
    };
    ASSERT_EQ(dialog->items.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const DialogItem& item = dialog->items[i];
        const Expected& want = expected[i];
        SCOPED_TRACE(::testing::Message() << "control " << i);
        EXPECT_EQ(item.id == 0xFFFF ? kNoId : item.id, want.id);
        EXPECT_EQ(item.className, want.className);
        EXPECT_EQ(item.x, want.x);
        EXPECT_EQ(item.y, want.y);
        EXPECT_EQ(item.cx, want.cx);
        EXPECT_EQ(item.cy, want.cy);
        if (want.id == kNoId && i == 3) {
            // The maker's notice follows the version line.
            EXPECT_EQ(item.text.substr(0, description.size()), description);
            EXPECT_GT(item.text.size(), description.size());
        } else {
            EXPECT_EQ(item.text, want.text);
        }
    }
    EXPECT_EQ(dialog->items[2].style & 0x0F, DWORD(BS_DEFPUSHBUTTON));
    EXPECT_EQ(dialog->items[0].style & 0x0F, DWORD(BS_PUSHBUTTON));
    EXPECT_EQ(dialog->items[1].style & 0x0F, DWORD(BS_PUSHBUTTON));
    EXPECT_TRUE(dialog->items[4].style & ES_READONLY);
    EXPECT_TRUE(dialog->items[4].style & WS_TABSTOP);
}

TEST_F(AboutDialogTest, ShowsDashesWithoutAPen) {
    startProgram();
    openDialog();
    EXPECT_EQ(controlText(dialog, IDC_PEN_VERSION), L"----");
    EXPECT_TRUE(buttonsEnabled());
    // Read-only: the user cannot change the version shown.
    EXPECT_TRUE(GetWindowLongW(GetDlgItem(dialog, IDC_PEN_VERSION), GWL_STYLE) & ES_READONLY);
}

struct PenVersionCase {
    const char* name;
    std::uint16_t version;
    std::wstring shown;
};

void PrintTo(const PenVersionCase& c, std::ostream* os) {
    *os << c.name;
}

class AboutDialogPenVersion : public AboutDialogTest,
                              public ::testing::WithParamInterface<PenVersionCase> {};

TEST_P(AboutDialogPenVersion, ShowsTheFirmwareVersion) {
    startProgram(GetParam().version);
    openDialog();
    EXPECT_EQ(controlText(dialog, IDC_PEN_VERSION), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Versions, AboutDialogPenVersion,
                         ::testing::Values(PenVersionCase{"Version0102", 0x0102, L"1.02"},
                                           PenVersionCase{"Version0A05", 0x0A05, L"10.05"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AboutDialogTest, IsCentredAndClosesWithItsButton) {
    startProgram();
    openDialog();
    RECT desktop{}, bounds{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    GetWindowRect(dialog, &bounds);
    EXPECT_NEAR(bounds.left, (desktop.right - (bounds.right - bounds.left)) / 2, 1);
    EXPECT_NEAR(bounds.top, (desktop.bottom - (bounds.bottom - bounds.top)) / 2, 1);
    click(IDOK);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(dialog); }, 5s));
}

TEST_F(AboutDialogTest, SupportPageOpensInTheDefaultBrowser) {
    browser.emplace(L"about-browser");
    browser->installAsDefault(L"chrome.exe");
    startProgram();
    openDialog();
    click(IDC_OPEN_SUPPORT_PAGE);
    ASSERT_TRUE(browser->waitForStarts(1, 10s));
    const auto starts = browser->starts();
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].arguments,
              std::vector<std::string>{ReferenceService::origin() + "/drivers.php"});
    EXPECT_TRUE(dialogOpen());
}

TEST_F(AboutDialogTest, SupportPageThatCannotOpenSaysSo) {
    browser.emplace(L"about-browser");
    DefaultBrowserRegistration missing(browserCommandFor(browser->folder() + L"\\missing.exe"));
    startProgram();
    openDialog();
    click(IDC_OPEN_SUPPORT_PAGE);
    answerMessageBox(L"エラー", L"サポートページを開けませんでした");
    EXPECT_TRUE(dialogOpen());
}

TEST_F(AboutDialogTest, ScreenshotShowsEveryTextAsGlyphs) {
    startProgram();
    openDialog();
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT bounds{};
    GetWindowRect(dialog, &bounds);
    EXPECT_FALSE(saveScreenshot(L"about_dialog", bounds).empty()) << "no screenshot taken";

    const std::optional<DialogTemplate> shipped = shippedAboutDialog();
    ASSERT_TRUE(shipped);
    std::wstring texts = shipped->title;
    for (const DialogItem& item : shipped->items) {
        texts += item.text;
    }
    for (const std::wstring& face : {shipped->typeface, std::wstring(L"MS UI Gothic")}) {
        EXPECT_EQ(charactersWithoutGlyphs(face.c_str(), shipped->pointSize, texts), L"")
            << "drawn as boxes";
    }
}

}  // namespace
}  // namespace zelko::test
