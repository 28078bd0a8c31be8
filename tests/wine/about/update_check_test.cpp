// The update check of the about dialog, through its message boxes as the user answers them,
// against the reference web service: the offer rule, the download that must arrive whole before
// anything is started, and a program that keeps serving while a check waits for the server.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "about_fixture.h"
#include "resources/resource_ids.h"
#include "support/message_box.h"
#include "support/reference_service.h"
#include "support/test_paths.h"
#include "support/tray_menu.h"
#include "support/wait.h"

namespace zelko::test {
namespace {

using Strings = std::vector<std::string>;

const std::string kFetch = std::string(kUpdateInfoPath) + " ZELKOVER";
const std::string kDownload = std::string(kInstallerPath) + " ZELKOVER";
constexpr char kMovedPagePath[] = "/files/moved.html";

ServiceReply probeFile() {
    ServiceReply reply;
    reply.bodyFile = updateProbeProgram();
    return reply;
}

// Moves the mouse as the user's hand would, so that the window under it chooses the cursor.
void moveMouseTo(int x, int y) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

// The cursor that the window under the mouse chose, after a small move over the window's middle.
HCURSOR cursorOver(HWND window) {
    static int wiggle = 0;
    RECT bounds{};
    GetWindowRect(window, &bounds);
    moveMouseTo((bounds.left + bounds.right) / 2 + (++wiggle % 5),
                (bounds.top + bounds.bottom) / 2);
    // The program's thread sets the cursor when it takes the move.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &ignored);
    CURSORINFO cursor{};
    cursor.cbSize = sizeof cursor;
    return GetCursorInfo(&cursor) ? cursor.hCursor : nullptr;
}

bool waitForFetch() {
    return ReferenceService::waitForRequest(
               [](const ServiceRequest& r) { return r.target == kUpdateInfoPath; }, 10s)
        .has_value();
}

struct CheckCase {
    const char* name;
    ServiceReply reply;
    std::wstring caption;
    std::wstring text;
    int answer;
};

void PrintTo(const CheckCase& c, std::ostream* os) {
    *os << c.name;
}

class UpdateCheckAnswer : public AboutDialogTest,
                          public ::testing::WithParamInterface<CheckCase> {};

// The box says what the server's reply means; nothing is downloaded and the dialog stays.
TEST_P(UpdateCheckAnswer, IsToldInAMessageBox) {
    const CheckCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(startUpdateCheck(c.reply, probeFile()));
    answerMessageBox(c.caption, c.text, c.answer);
    EXPECT_TRUE(waitUntil([&] { return buttonsEnabled(); }, 3s));
    EXPECT_TRUE(dialogOpen());
    EXPECT_EQ(serviceRequests(), Strings{kFetch});
    EXPECT_EQ(downloadLeftovers(), std::vector<std::wstring>{});
}

const std::wstring kUpToDate = L"お使いのミドルウェアは最新のものです";
const std::wstring kNoConnection = L"サーバーへの接続に失敗しました";

INSTANTIATE_TEST_SUITE_P(
    Replies, UpdateCheckAnswer,
    ::testing::Values(
        CheckCase{"UpToDate", ServiceReply::text("39\r\n"), L"アップデート情報", kUpToDate, IDOK},
        CheckCase{"OfferDeclined", ServiceReply::text(offerReply(40)), L"アップデート情報",
                  L"最新のミドルウェア 0.0.4.0が公開されています。\nアップデートしますか？", IDNO},
        CheckCase{"FiveDigitOfferDeclined", ServiceReply::text(offerReply(12345)),
                  L"アップデート情報",
                  L"最新のミドルウェア 12.3.4.5が公開されています。\nアップデートしますか？", IDNO},
        CheckCase{"NoLineBreak", ServiceReply::text("40"), L"エラー", kNoConnection, IDOK},
        CheckCase{"NotFoundPage", ServiceReply::text(offerReply(40), 404), L"エラー", kNoConnection,
                  IDOK},
        CheckCase{"NoAnswer", ServiceReply::dropped(), L"エラー", kNoConnection, IDOK}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AboutDialogTest, AcceptedUpdateStartsTheDownloadedInstaller) {
    // A file from an earlier download is replaced.
    const std::wstring installer = temporaryFolder() + L"ZelkoInstall.exe";
    ASSERT_TRUE(writeFileBytes(installer, "an earlier download"));
    ASSERT_NO_FATAL_FAILURE(startUpdateCheck(ServiceReply::text(offerReply(40)), probeFile()));
    answerMessageBox(L"アップデート情報",
                     L"最新のミドルウェア 0.0.4.0が公開されています。\nアップデートしますか？",
                     IDYES);

    ASSERT_TRUE(waitUntil([&] { return !probeRuns().empty(); }, 15s))
        << "the downloaded installer did not run";
    // The temporary folder's path is ASCII here.
    EXPECT_EQ(probeRuns().front(), "ran " + std::string(installer.begin(), installer.end()));
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(dialog); }, 5s)) << "the dialog stayed open";
    EXPECT_TRUE(readFileBytes(installer) == readFileBytes(updateProbeProgram()))
        << "the installer differs from what the server sent";
    EXPECT_EQ(downloadLeftovers(), std::vector<std::wstring>{L"ZelkoInstall.exe"});
    EXPECT_EQ(serviceRequests(), (Strings{kFetch, kDownload}));
    EXPECT_EQ(probeRuns().size(), 1u);
}

struct DownloadFailure {
    const char* name;
    std::string reply;  // of the update information
    ServiceReply installer;
};

void PrintTo(const DownloadFailure& c, std::ostream* os) {
    *os << c.name;
}

class UpdateDownloadFailure : public AboutDialogTest,
                              public ::testing::WithParamInterface<DownloadFailure> {};

// Nothing that did not arrive whole is kept or started.
TEST_P(UpdateDownloadFailure, SaysSoAndStartsNothing) {
    const DownloadFailure& c = GetParam();
    ServiceReply installer = c.installer;
    if (installer.bodyFile == L"probe") {
        installer.bodyFile = updateProbeProgram();
    }
    // Where a moved installer's address leads: a page, served with 200.
    ASSERT_TRUE(ReferenceService::route("*", kMovedPagePath,
                                        ServiceReply::text("<html><body>moved</body></html>")));
    ASSERT_NO_FATAL_FAILURE(startUpdateCheck(ServiceReply::text(c.reply), installer));
    answerMessageBox(L"アップデート情報",
                     L"最新のミドルウェア 0.0.4.1が公開されています。\nアップデートしますか？",
                     IDYES);
    answerMessageBox(L"ダウンロード失敗", L"ファイルのダウンロードに失敗しました");
    EXPECT_TRUE(waitUntil([&] { return buttonsEnabled(); }, 3s));
    EXPECT_TRUE(dialogOpen());
    EXPECT_EQ(downloadLeftovers(), std::vector<std::wstring>{});
    EXPECT_EQ(probeRuns(), Strings{});
}

ServiceReply cutProbe() {
    ServiceReply reply;
    reply.bodyFile = L"probe";
    reply.cutAfter = 20000;
    return reply;
}

ServiceReply notFoundProbe() {
    ServiceReply reply;
    reply.bodyFile = L"probe";
    reply.status = 404;
    return reply;
}

INSTANTIATE_TEST_SUITE_P(
    Downloads, UpdateDownloadFailure,
    ::testing::Values(DownloadFailure{"NotFound", offerReply(41), notFoundProbe()},
                      DownloadFailure{"CutTransfer", offerReply(41), cutProbe()},
                      DownloadFailure{"RedirectedToAPage", offerReply(41),
                                      ServiceReply::redirect(kMovedPagePath)},
                      DownloadFailure{
                          "NotAProgram", offerReply(41),
                          ServiceReply::text("<html><body>ZelkoInstall.exe</body></html>")},
                      DownloadFailure{"NoAddressInTheReply", "41\r\n", probeFile()}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AboutDialogTest, DownloadedFileThatCannotStartSaysSo) {
    // Whole, and marked as a program, but not one that Windows can start.
    std::string notRunnable = "MZ";
    notRunnable.append(5000, '\x01');
    ASSERT_NO_FATAL_FAILURE(
        startUpdateCheck(ServiceReply::text(offerReply(40)), ServiceReply::text(notRunnable)));
    answerMessageBox(L"アップデート情報",
                     L"最新のミドルウェア 0.0.4.0が公開されています。\nアップデートしますか？",
                     IDYES);
    answerMessageBox(L"エラー", L"アップデートプログラムを実行できませんでした");
    EXPECT_TRUE(dialogOpen());
    EXPECT_EQ(downloadLeftovers(), std::vector<std::wstring>{L"ZelkoInstall.exe"});
}

// While the server does not answer, the dialog waits with its buttons disabled, and the program
// goes on serving: a scan opens the browser, the tray icon answers, and once the dialog is closed
// the tray menu opens at once.
TEST_F(AboutDialogTest, StalledCheckKeepsTheProgramServing) {
    ASSERT_TRUE(ReferenceService::route("*", kUpdateInfoPath, ServiceReply::stalled()));
    browser.emplace(L"about-browser");
    browser->installAsDefault(L"chrome.exe");
    startProgram(0x0102);
    openDialog();
    const HCURSOR idleCursor = cursorOver(dialog);
    click(IDC_UPDATE_CHECK);
    ASSERT_TRUE(waitForFetch());
    EXPECT_TRUE(waitUntil([&] { return buttonsDisabled(); }, 3s)) << "the buttons stay enabled";

    // The wait cursor: Wine gives each process its own copy of the system cursors, so the test
    // sees the program's cursor change from its idle one while the check runs.
    EXPECT_TRUE(waitUntil([&] { return cursorOver(dialog) != idleCursor; }, 3s))
        << "the cursor over the dialog did not change";

    long long lastReport = 0;
    ASSERT_TRUE(pen->typeScan("host/abc/123", {}, &lastReport));
    ASSERT_TRUE(browser->waitForStarts(1, 10s)) << "the scan waited for the update check";
    EXPECT_EQ(browser->starts()[0].arguments, Strings{"http://host/abc/123"});
    std::printf("scan to browser start during a stalled update check: %lld ms\n",
                (browser->starts()[0].microseconds - lastReport) / 1000);

    // A click on the tray icon brings the dialog forward; the window answers at once.
    program->postToTray(kTrayIconMessage, 1, WM_LBUTTONDOWN);
    DWORD_PTR ignored = 0;
    EXPECT_TRUE(SendMessageTimeoutW(program->trayWindow(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000,
                                    &ignored));
    EXPECT_TRUE(dialogOpen());

    const ULONGLONG closing = GetTickCount64();
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(dialog); }, 3s))
        << "the dialog did not close during the check";
    const ULONGLONG closed = GetTickCount64();
    std::printf("dialog closed %llu ms after the close request during a stalled check\n",
                closed - closing);
    EXPECT_LT(closed - closing, 1000u);
    dialog = nullptr;

    program->postToTray(kTrayIconMessage, 1, WM_RBUTTONDOWN);
    HWND menu = waitForPopupMenu(program->process().id(), 3s);
    ASSERT_NE(menu, nullptr) << "the tray menu did not open after the dialog closed";
    dismissPopupMenu(menu);
    EXPECT_TRUE(waitUntil([&] { return !popupMenuOpen(program->process().id()); }, 3s));

    // The abandoned check ends without a word once the server lets go; the next one works.
    ASSERT_TRUE(ReferenceService::reset());
    ASSERT_TRUE(ReferenceService::route("*", kUpdateInfoPath, ServiceReply::text("39\r\n")));
    openDialog();
    click(IDC_UPDATE_CHECK);
    answerMessageBox(L"アップデート情報", kUpToDate);
    EXPECT_EQ(countMessageBoxes(L"エラー"), 0);
    EXPECT_TRUE(waitUntil([&] { return cursorOver(dialog) == idleCursor; }, 3s))
        << "the wait cursor stayed after the check";
}

// The installer's close request reaches the tray window while the dialog's loop runs: the dialog
// ends, the check is told to stop and waited for, and the program ends cleanly.
TEST_F(AboutDialogTest, CloseRequestDuringACheckEndsTheProgramCleanly) {
    ASSERT_NO_FATAL_FAILURE(startUpdateCheck(ServiceReply::stalled()));
    ASSERT_TRUE(waitForFetch());
    ASSERT_TRUE(waitUntil([&] { return buttonsDisabled(); }, 3s));

    program->postToTray(kCloseRequestMessage);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(dialog); }, 3s)) << "the dialog stayed";
    dialog = nullptr;
    // The server lets go of the stalled request; the program then ends.
    ASSERT_TRUE(ReferenceService::reset());
    const auto exitCode = program->process().waitForExit(10s);
    EXPECT_EQ(exitCode, std::optional<DWORD>(0));
    EXPECT_EQ(countMessageBoxes(L"エラー"), 0);
}

// The same while the offer's question waits for an answer: nothing is downloaded or started.
TEST_F(AboutDialogTest, CloseRequestDuringTheQuestionStartsNothing) {
    ASSERT_NO_FATAL_FAILURE(startUpdateCheck(ServiceReply::text(offerReply(40)), probeFile()));
    ASSERT_NE(waitForMessageBox(L"アップデート情報", 10s), nullptr);
    program->postToTray(kCloseRequestMessage);
    EXPECT_EQ(program->process().waitForExit(10s), std::optional<DWORD>(0));
    dialog = nullptr;
    EXPECT_EQ(serviceRequests(), Strings{kFetch});
    EXPECT_EQ(downloadLeftovers(), std::vector<std::wstring>{});
    EXPECT_EQ(probeRuns(), Strings{});
}

// The installer waits this long for the resident program to go before it writes its files.
constexpr ULONGLONG kInstallerCloseWaitMs = 5000;

struct CloseCase {
    const char* name;
    ServiceReply info;       // of the update information
    ServiceReply installer;  // of the installer's address
    bool offerAccepted;      // Yes to the offer
    // The installer's address is on a host where nothing listens (127.0.0.9).
    bool installerRefused = false;
};

void PrintTo(const CloseCase& c, std::ostream* os) {
    *os << c.name;
}

class UpdateCheckCloseRequest : public AboutDialogTest,
                                public ::testing::WithParamInterface<CloseCase> {};

// The installer's close request while the check waits for the server, reads a long answer or
// downloads: the program ends within the installer's wait, with exit code 0, without waiting out
// the server's time-out, and nothing is kept or started.
TEST_P(UpdateCheckCloseRequest, EndsInTimeAndStartsNothing) {
    const CloseCase& c = GetParam();
    ServiceReply info = c.info;
    if (c.installerRefused) {
        info = ServiceReply::text(
            "41\r\nhttp://127.0.0.9:" + std::to_string(ReferenceService::port()) + kInstallerPath +
            "\r\n");
    }
    ServiceReply installer = c.installer;
    if (installer.bodyFile == L"ten-megabyte-program") {
        // A program as far as the download can tell, sent slowly enough to be cut in the middle.
        installer.bodyFile = freshScratchDirectory(L"ten-megabyte-program") + L"\\big.exe";
        std::string program = "MZ";
        program.resize(10 * 1024 * 1024, '\x90');
        ASSERT_TRUE(writeFileBytes(installer.bodyFile, program));
    }
    ASSERT_NO_FATAL_FAILURE(startUpdateCheck(info, installer));
    std::string waitedPath = kUpdateInfoPath;
    if (c.offerAccepted) {
        ASSERT_NE(waitForMessageBox(L"アップデート情報", 10s), nullptr);
        answerMessageBox(L"アップデート情報",
                         L"最新のミドルウェア 0.0.4.1が公開されています。\nアップデートしますか？",
                         IDYES);
        waitedPath = kInstallerPath;
    }
    if (c.installerRefused) {
        // Refused at once: the close comes while the failure box shows.
        ASSERT_NE(waitForMessageBox(L"ダウンロード失敗", 10s), nullptr);
    } else {
        ASSERT_TRUE(ReferenceService::waitForRequest(
            [&](const ServiceRequest& r) { return r.target == waitedPath; }, 10s));
        Sleep(200);  // into the wait or the transfer
        if (c.installer.chunkDelayMs > 1000) {
            ASSERT_TRUE(waitUntil([] { return !downloadLeftovers().empty(); }, 5s))
                << "the first chunk did not reach the temporary file";
        }
    }
    // A box shown before the close (the refused download's) may stay until the end; none comes
    // after it.
    const std::wstring captions[] = {L"エラー", L"アップデート情報", L"ダウンロード失敗"};
    int boxesBefore[std::size(captions)] = {};
    for (std::size_t i = 0; i < std::size(captions); ++i) {
        boxesBefore[i] = countMessageBoxes(captions[i]);
    }
    bool boxAfterTheClose = false;
    const ULONGLONG closing = GetTickCount64();
    program->postToTray(kCloseRequestMessage);
    waitUntil(
        [&] {
            for (std::size_t i = 0; i < std::size(captions); ++i) {
                boxAfterTheClose =
                    boxAfterTheClose || countMessageBoxes(captions[i]) > boxesBefore[i];
            }
            return !program->process().running();
        },
        15s, 5ms);
    const std::optional<DWORD> exitCode = program->process().waitForExit(0ms);
    const ULONGLONG took = GetTickCount64() - closing;
    dialog = nullptr;
    EXPECT_FALSE(boxAfterTheClose) << "a message box came after the close request";
    ASSERT_TRUE(exitCode) << "the program did not end";
    std::printf("close request -> exit: %llu ms\n", took);
    EXPECT_EQ(*exitCode, 0u);
    EXPECT_LT(took, kInstallerCloseWaitMs)
        << "the installer would have written over a running program";
    EXPECT_EQ(downloadLeftovers(), std::vector<std::wstring>{});
    EXPECT_EQ(probeRuns(), Strings{});
}

ServiceReply tenMegabytesSlowly() {
    ServiceReply reply;
    reply.bodySize = 10 * 1024 * 1024;
    reply.chunkDelayMs = 1;  // 2560 chunks: a few seconds
    return reply;
}

ServiceReply tenMegabyteProgramSlowly() {
    ServiceReply reply;
    reply.bodyFile = L"ten-megabyte-program";
    reply.chunkDelayMs = 1;
    return reply;
}

// The first chunk arrives, then the server pauses: the download waits inside a read.
ServiceReply pausedProgram() {
    ServiceReply reply;
    reply.bodyFile = L"ten-megabyte-program";
    reply.chunkDelayMs = 20000;
    return reply;
}

INSTANTIATE_TEST_SUITE_P(
    Waits, UpdateCheckCloseRequest,
    ::testing::Values(CloseCase{"InformationStalls", ServiceReply::stalled(), probeFile(), false},
                      CloseCase{"InformationOf10MB", tenMegabytesSlowly(), probeFile(), false},
                      CloseCase{"InstallerStalls", ServiceReply::text(offerReply(41)),
                                ServiceReply::stalled(), true},
                      CloseCase{"InstallerOf10MB", ServiceReply::text(offerReply(41)),
                                tenMegabyteProgramSlowly(), true},
                      CloseCase{"InstallerPausesInTheMiddle", ServiceReply::text(offerReply(41)),
                                pausedProgram(), true},
                      CloseCase{"InstallerRefused", {}, probeFile(), true, true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zelko::test
