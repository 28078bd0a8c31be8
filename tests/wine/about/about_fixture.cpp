#include "about_fixture.h"

#include "log/utf8_text.h"
#include "resources/resource_ids.h"
#include "support/about_dialog_driver.h"
#include "support/glyphs.h"
#include "support/message_box.h"
#include "support/reference_service.h"
#include "support/test_paths.h"
#include "support/wait.h"

namespace zelko::test {

namespace {

using testlog::utf8Of;

constexpr int kUsable = 0;

std::wstring messageFontFace() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return metrics.lfMessageFont.lfFaceName;
}

}  // namespace

void AboutDialogTest::SetUp() {
    ASSERT_TRUE(ReferenceService::reset());
    removeDownloadLeftovers();
    probeLog = startUpdateProbeLog(L"update-probe");
}

void AboutDialogTest::TearDown() {
    // Answer whatever is left open, so that the program can close.
    for (const wchar_t* caption : {L"エラー", L"アップデート情報", L"ダウンロード失敗"}) {
        while (HWND box = waitForMessageBox(caption, 0ms)) {
            if (!clickMessageBoxButton(box, IDNO) && !clickMessageBoxButton(box, IDOK)) {
                break;
            }
        }
    }
    if (dialogOpen()) {
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        waitUntil([&] { return !IsWindow(dialog); }, 5s);
    }
    // Ends a stalled answer, so that a check still running ends at once.
    ReferenceService::reset();
    if (program) {
        if (program->process().running()) {
            EXPECT_EQ(program->close(), std::optional<DWORD>(0)) << "the program did not close";
        }
        program.reset();
    }
    pen.reset();
    browser.reset();
    removeDownloadLeftovers();
    EXPECT_EQ(downloadLeftovers(), std::vector<std::wstring>{});
}

void AboutDialogTest::startProgram(std::optional<std::uint16_t> penVersion) {
    program.emplace(Build::Test, L"about-program");
    program->writeSettings(quietSettings(LaunchBrowser));
    if (penVersion) {
        pensim::PenIdentity identity;
        identity.version = *penVersion;
        pen.emplace(L"about-pen", identity);
    }
    ASSERT_TRUE(program->start());
    if (penVersion) {
        ASSERT_TRUE(program->waitForTrayState(kUsable, 10s)) << "the pen was not claimed";
    }
}

void AboutDialogTest::openDialog() {
    dialog = openAboutDialog(*program);
    ASSERT_NE(dialog, nullptr) << "the about dialog did not open";
}

void AboutDialogTest::startUpdateCheck(const ServiceReply& updateInfo,
                                       const ServiceReply& installer) {
    ASSERT_TRUE(ReferenceService::route("*", kUpdateInfoPath, updateInfo));
    ASSERT_TRUE(ReferenceService::route("*", kInstallerPath, installer));
    startProgram();
    openDialog();
    click(IDC_UPDATE_CHECK);
}

void AboutDialogTest::click(int id) const {
    PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

bool AboutDialogTest::buttonsEnabled() const {
    for (int id : {IDC_OPEN_SUPPORT_PAGE, IDC_UPDATE_CHECK, IDOK}) {
        if (!IsWindowEnabled(GetDlgItem(dialog, id))) {
            return false;
        }
    }
    return true;
}

bool AboutDialogTest::buttonsDisabled() const {
    for (int id : {IDC_OPEN_SUPPORT_PAGE, IDC_UPDATE_CHECK, IDOK}) {
        if (IsWindowEnabled(GetDlgItem(dialog, id))) {
            return false;
        }
    }
    return true;
}

void AboutDialogTest::answerMessageBox(const std::wstring& caption, const std::wstring& text,
                                       int button) {
    HWND box = waitForMessageBox(caption, 15s);
    ASSERT_NE(box, nullptr) << "no message box " << utf8Of(caption) << " / " << utf8Of(text);
    const std::wstring shown = messageBoxText(box);
    EXPECT_EQ(utf8Of(shown), utf8Of(text));
    EXPECT_EQ(GetWindow(box, GW_OWNER), dialog) << "the box is not owned by the dialog";
    const std::wstring face = messageFontFace();
    EXPECT_EQ(charactersWithoutGlyphs(face.c_str(), 9, shown), L"")
        << "drawn as boxes in " << utf8Of(face);
    EXPECT_TRUE(clickMessageBoxButton(box, button));
}

std::vector<std::string> AboutDialogTest::serviceRequests() const {
    std::vector<std::string> lines;
    for (const ServiceRequest& request : ReferenceService::requests()) {
        lines.push_back(request.target + " " + request.userAgent);
    }
    return lines;
}

}  // namespace zelko::test
