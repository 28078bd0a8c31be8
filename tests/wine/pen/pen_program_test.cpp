// The pen device layer of the resident program (test build) against simulated pens.

#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "pen/pen_program_fixture.h"
#include "support/pen_reading.h"
#include "support/wait.h"

namespace zelko::test {
namespace {

using pensim::HandoverMutexHold;
using pensim::PenIdentity;
using pensim::ScanTyping;
using pensim::SimulatedPen;

PenIdentity withUsage(std::uint16_t usagePage, std::uint16_t usage) {
    PenIdentity identity;
    identity.usagePage = usagePage;
    identity.usage = usage;
    return identity;
}

PenIdentity withIds(std::uint16_t vendorId, std::uint16_t productId) {
    PenIdentity identity;
    identity.vendorId = vendorId;
    identity.productId = productId;
    return identity;
}

PenIdentity unidentifiable() {
    PenIdentity identity;
    identity.identifies = false;
    return identity;
}

// ---- discovery and claim ----

TEST_F(PenProgramTest, ClaimSendsExactlyTheAnnounceReport) {
    SimulatedPen pen(L"pen");
    ASSERT_TRUE(startProgram());
    ASSERT_TRUE(waitUntilReading(pen));
    EXPECT_EQ(outputTexts(pen), std::vector<std::string>{"00 80"});
}

TEST_F(PenProgramTest, OnlyTheFirstInterfaceWithThePensIdentityIsUsed) {
    // Interfaces that resemble the pen, published before it, and a second pen after it.
    SimulatedPen usage6(L"usage6", withUsage(0x0001, 0x0006));
    SimulatedPen consumer(L"consumer", withUsage(0x000C, 0x0000));
    SimulatedPen otherVendor(L"vendor", withIds(0x1A80, 0x0001));
    SimulatedPen otherProduct(L"product", withIds(0x1A7F, 0x0002));
    SimulatedPen broken(L"broken", unidentifiable());
    SimulatedPen first(L"first");
    SimulatedPen second(L"second");

    ASSERT_TRUE(startProgram());
    ASSERT_TRUE(waitUntilReading(first));
    ASSERT_TRUE(first.typeScan("host/1/first"));
    EXPECT_TRUE(waitForScan("host/1/first"));

    EXPECT_EQ(outputTexts(first), std::vector<std::string>{"00 80"});
    for (const SimulatedPen* other :
         {&usage6, &consumer, &otherVendor, &otherProduct, &broken, &second}) {
        EXPECT_TRUE(other->outputReports().empty())
            << "written to " << other->outputReports().size();
        EXPECT_EQ(other->openHandleCount(), 0);
    }
    // A scan of the second pen is not read.
    ASSERT_TRUE(second.typeScan("host/2/second"));
    Sleep(200);
    EXPECT_EQ(announcedScans(), std::vector<std::string>{"host/1/first"});
}

TEST_F(PenProgramTest, AnInterfaceWithThePensIdsButUsage6AloneIsNotAttached) {
    SimulatedPen usage6(L"usage6", withUsage(0x0001, 0x0006));
    ASSERT_TRUE(startProgram());
    ASSERT_TRUE(program->waitForTrayState(kNotAttached, 3000ms));
    Sleep(300);  // several reader rounds
    EXPECT_EQ(program->lastTrayState(), kNotAttached);
    EXPECT_TRUE(usage6.outputReports().empty());
}

// ---- scans ----

TEST_F(PenProgramTest, ScansTypedByThePenAreAnnounced) {
    SimulatedPen pen(L"pen");
    ASSERT_TRUE(startProgram());
    ASSERT_TRUE(waitUntilReading(pen));

    struct Case {
        std::string text;
        ScanTyping typing;
        std::string stored;
    };
    ScanTyping noMarker;
    noMarker.marker = false;
    ScanTyping capsLock;
    capsLock.capsLock = true;
    ScanTyping rightShiftSlow;
    rightShiftSlow.rightShift = true;
    rightShiftSlow.gapMicroseconds = 20000;
    ScanTyping bare;  // no marker, no key-up reports
    bare.marker = false;
    bare.releaseReports = false;
    const Case cases[] = {
        {"zelko.jp/AB12/4901234567894", {}, "zelko.jp/AB12/4901234567894"},
        {"host/pen/code", noMarker, "host/pen/code"},
        {"Host/Pen/CODE-x_y", capsLock, "Host/Pen/CODE-x_y"},
        {"a!\"#$%&'()=~|`{+*}<>?_/b", rightShiftSlow, "a!\"#$%&'()=~|`{+*}<>?_/b"},
        {"WWWZELKO/1/2", bare, "wwwZELKO/1/2"},
    };
    for (const Case& scan : cases) {
        ASSERT_TRUE(pen.typeScan(scan.text, scan.typing)) << scan.text;
        EXPECT_TRUE(waitForScan(scan.stored)) << scan.text;
    }
    EXPECT_EQ(announcedScans().size(), std::size(cases));
}

// While the main thread is busy (a browser action, a message box), the reader goes on reading: a
// long scan typed meanwhile is read as it comes, and arrives whole.
TEST_F(PenProgramTest, AScanTypedWhileTheMainThreadIsBusyArrivesWhole) {
    Settings settings;
    settings.playSound = 0;
    settings.showDialog = 1;  // the scan start reaches for the notification window
    program->writeSettings(settings);
    SimulatedPen pen(L"pen");
    ASSERT_TRUE(startProgram());
    ASSERT_TRUE(waitUntilReading(pen));

    program->postToTray(RegisterWindowMessageW(L"ZelkoInputTestHoldMainThread"), 2000);
    ASSERT_TRUE(program->waitForEvent(
        [](const ProgramEvent& event) { return event.name == "main-thread-held"; }, 5000ms));
    std::string text = "busy.example/PEN0001/";
    while (text.size() < 100) {
        text += static_cast<char>('0' + text.size() % 10);
    }
    const long long typing = pensim::nowMicroseconds();
    ASSERT_TRUE(pen.typeScan(text));  // about 200 reports at once

    const auto freed = program->waitForEvent(
        [](const ProgramEvent& event) { return event.name == "main-thread-free"; }, 5000ms);
    ASSERT_TRUE(freed);
    EXPECT_EQ(pen.queuedInputReports(), 0u);
    EXPECT_GT(pen.lastInputTakenMicroseconds(), typing);
    EXPECT_LT(pen.lastInputTakenMicroseconds(), freed->microseconds)
        << "the reader waited for the main thread before it read the scan";
    EXPECT_TRUE(waitForScan(text));
    EXPECT_EQ(announcedScans(), std::vector<std::string>{text});
    // Room for a whole scan with the driver as well, should the reader be held up another way.
    const auto published = pensim::publishedInterfaceAt(pen.path());
    ASSERT_TRUE(published);
    EXPECT_EQ(published->inputReportQueue, 512u);
}

TEST_F(PenProgramTest, ThreeSecondsOfSilenceBringOneKeepAlive) {
    SimulatedPen pen(L"pen");
    ASSERT_TRUE(startProgram());
    ASSERT_TRUE(waitUntilReading(pen));
    const auto claim = pen.outputReports();
    ASSERT_EQ(claim.size(), 1u);

    ASSERT_TRUE(waitUntil([&] { return pen.outputReports().size() >= 2; }, 5000ms));
    const auto reports = pen.outputReports();
    const long long silence = reports[1].microseconds - claim[0].microseconds;
    std::printf("keep-alive after %.0f ms of silence\n", silence / 1000.0);
    EXPECT_EQ(outputTexts(pen)[1], "00 80");
    EXPECT_NE(reports[1].handle, claim[0].handle);  // on the read loop's own handle
    EXPECT_GE(silence, 2900 * 1000);
    // One keep-alive per silence, not one per wake-up.
    Sleep(500);
    EXPECT_EQ(pen.outputReports().size(), 2u);
    // Reading goes on after it.
    ASSERT_TRUE(pen.typeScan("after/keep/alive"));
    EXPECT_TRUE(waitForScan("after/keep/alive"));
}

TEST_F(PenProgramTest, APauseOfMoreThanThreeSecondsInsideAScanDropsItsFirstPart) {
    SimulatedPen pen(L"pen");
    ASSERT_TRUE(startProgram());
    ASSERT_TRUE(waitUntilReading(pen));
    ScanTyping typing;
    typing.pauseBeforeCharacter = 5;  // "first" / "rest/of/scan"
    typing.pauseMicroseconds = 3400 * 1000;
    ASSERT_TRUE(pen.typeScan("firstrest/of/scan", typing));
    EXPECT_TRUE(waitForScan("rest/of/scan"));
    EXPECT_EQ(announcedScans(), std::vector<std::string>{"rest/of/scan"});
    EXPECT_EQ(outputTexts(pen), (std::vector<std::string>{"00 80", "00 80"}));
}

// ---- the pen comes and goes ----

TEST_F(PenProgramTest, UnpluggedPenIsNotAttachedAndUsableAgainWhenPluggedIn) {
    useFakeBrowser();
    SimulatedPen pen(L"pen");
    ASSERT_TRUE(startProgram());
    ASSERT_TRUE(waitUntilReading(pen));

    // Unplugged in the middle of a scan: its first part is not joined to the next scan, and
    // nothing is opened for it.
    ScanTyping noEnd;
    noEnd.endOfScan = false;
    ASSERT_TRUE(pen.typeScan("half/scan/", noEnd));
    ASSERT_TRUE(waitUntil([&] { return pen.queuedInputReports() == 0u; }, 2000ms));
    pen.unplug();
    EXPECT_TRUE(program->waitForTrayState(kNotAttached, 2000ms));

    pen.plugIn();
    ASSERT_TRUE(waitUntilReading(pen, 3000ms));
    EXPECT_EQ(outputTexts(pen), (std::vector<std::string>{"00 80", "00 80"}));
    ASSERT_TRUE(pen.typeScan("whole/scan/1"));
    EXPECT_TRUE(waitForScan("whole/scan/1"));
    EXPECT_EQ(announcedScans(), std::vector<std::string>{"whole/scan/1"});
    ASSERT_TRUE(browser->waitForStarts(1, 10s));
    Sleep(300);  // a second opening would come within this
    EXPECT_EQ(browserStarts(), std::vector<std::string>{"http://whole/scan/1"});
}

TEST_F(PenProgramTest, PenUnpluggedDuringAKeepAliveIsLetGoAndClaimedAgain) {
    useFakeBrowser();
    SimulatedPen pen(L"pen");
    ASSERT_TRUE(startProgram());
    ASSERT_TRUE(waitUntilReading(pen));
    pen.setRefuseOutput(true);
    // The keep-alive's write stays pending with the pen.
    ASSERT_TRUE(waitUntil([&] { return pen.pendingOutputBytes() > 0; }, 5000ms));
    pen.unplug();
    EXPECT_TRUE(program->waitForTrayState(kNotAttached, 2000ms));
    pen.setRefuseOutput(false);
    pen.plugIn();
    ASSERT_TRUE(waitUntilReading(pen, 3000ms));
    ASSERT_TRUE(pen.typeScan("back/after/unplug"));
    EXPECT_TRUE(waitForScan("back/after/unplug"));
    ASSERT_TRUE(browser->waitForStarts(1, 10s));
    Sleep(300);  // a second opening would come within this
    EXPECT_EQ(browserStarts(), std::vector<std::string>{"http://back/after/unplug"});
}

TEST_F(PenProgramTest, PenThatTakesNoOutputReportsIsPresentButNotUsable) {
    SimulatedPen pen(L"pen");
    pen.setRefuseOutput(true);
    ASSERT_TRUE(startProgram());
    EXPECT_TRUE(program->waitForTrayState(kNoAccess, 3000ms));
    Sleep(600);  // a few claims of five attempts each
    EXPECT_EQ(program->lastTrayState(), kNoAccess);
    EXPECT_TRUE(pen.outputReports().empty());

    pen.setRefuseOutput(false);
    EXPECT_TRUE(waitUntilReading(pen, 3000ms));
}

TEST_F(PenProgramTest, HandoverMutexMakesTheReaderLetGoUntilItIsGone) {
    SimulatedPen pen(L"pen");
    ASSERT_TRUE(startProgram());
    ASSERT_TRUE(waitUntilReading(pen));

    auto handover = std::make_unique<HandoverMutexHold>();
    ASSERT_TRUE(handover->held());
    const long long held = pensim::nowMicroseconds();
    ASSERT_TRUE(waitUntil([&] { return pen.openHandleCount() == 0; }, 2000ms, 1ms));
    const long long letGo = pensim::nowMicroseconds();
    EXPECT_TRUE(program->waitForTrayState(kNoAccess, 2000ms));
    Sleep(300);
    EXPECT_EQ(program->lastTrayState(), kNoAccess);
    EXPECT_EQ(outputTexts(pen), std::vector<std::string>{"00 80"});  // not claimed meanwhile

    const long long released = pensim::nowMicroseconds();
    handover.reset();
    ASSERT_TRUE(waitUntil([&] { return pen.outputReports().size() >= 2; }, 2000ms, 1ms));
    const long long reclaimed = pen.outputReports()[1].microseconds;
    std::printf("handover noticed after %.1f ms; pen claimed again %.1f ms after release\n",
                (letGo - held) / 1000.0, (reclaimed - released) / 1000.0);
    EXPECT_LT(letGo - held, 500 * 1000);
    EXPECT_LT(reclaimed - released, 500 * 1000);
    EXPECT_TRUE(waitUntilReading(pen, 2000ms));
}

// The other order: our reader starts while another process's farewell is under way.
TEST_F(PenProgramTest, ReaderStartingDuringAnotherFarewellClaimsOnlyAfterIt) {
    SimulatedPen pen(L"pen");
    auto handover = std::make_unique<HandoverMutexHold>();
    ASSERT_TRUE(handover->held());
    ASSERT_TRUE(startProgram());
    EXPECT_TRUE(program->waitForTrayState(kNoAccess, 3000ms));
    Sleep(300);  // several reader rounds
    EXPECT_EQ(program->lastTrayState(), kNoAccess);
    EXPECT_TRUE(pen.outputReports().empty()) << "claimed during the farewell";
    EXPECT_EQ(pen.openHandleCount(), 0);

    const long long released = pensim::nowMicroseconds();
    handover.reset();
    ASSERT_TRUE(waitUntil([&] { return !pen.outputReports().empty(); }, 2000ms, 1ms));
    const long long claimed = pen.outputReports()[0].microseconds;
    std::printf("pen claimed %.1f ms after the other farewell ended\n",
                (claimed - released) / 1000.0);
    EXPECT_GT(claimed, released);
    EXPECT_LT(claimed - released, 500 * 1000);
    EXPECT_TRUE(waitUntilReading(pen, 2000ms));
    EXPECT_EQ(outputTexts(pen), std::vector<std::string>{"00 80"});
}

// An update: the installer closes the old program, whose farewell reaches the pen before the new
// program, started from another folder, claims it.
TEST_F(PenProgramTest, UpdateHandoverSaysFarewellBeforeTheNewProgramClaims) {
    SimulatedPen pen(L"pen");
    ASSERT_TRUE(startProgram());
    ASSERT_TRUE(waitUntilReading(pen));
    const ULONGLONG closing = GetTickCount64();
    ASSERT_EQ(program->close(10s), std::optional<DWORD>(0));
    const ULONGLONG ended = GetTickCount64();

    ResidentProgram updated(Build::Test, L"updated-program");
    updated.writeSettings(quietSettings(SetAddressBar));
    ASSERT_TRUE(updated.start());
    ASSERT_TRUE(waitUntilReadingPen(updated, pen));
    const auto reports = pen.outputReports();
    ASSERT_EQ(outputTexts(pen), (std::vector<std::string>{"00 80", "00 00", "00 80"}));
    EXPECT_LT(reports[0].microseconds, reports[1].microseconds);
    EXPECT_LT(reports[1].microseconds, reports[2].microseconds);
    EXPECT_NE(reports[2].handle, reports[0].handle);
    std::printf(
        "old program ended %llu ms after the close request; new claim %.1f ms after the "
        "farewell\n",
        ended - closing, (reports[2].microseconds - reports[1].microseconds) / 1000.0);
    EXPECT_EQ(updated.close(10s), std::optional<DWORD>(0));
    EXPECT_EQ(outputTexts(pen).back(), "00 00");
}

TEST_F(PenProgramTest, FarewellIsWrittenBeforeTheProgramEnds) {
    SimulatedPen pen(L"pen");
    SimulatedPen second(L"second");
    ASSERT_TRUE(startProgram());
    ASSERT_TRUE(waitUntilReading(pen));
    const auto exitCode = program->close(10s);
    ASSERT_TRUE(exitCode.has_value());
    // The pen has no in-buffer: a write completes only once the pen has taken the report.
    ASSERT_TRUE(waitUntil([&] { return pen.outputReports().size() >= 2; }, 1000ms));
    EXPECT_EQ(outputTexts(pen), (std::vector<std::string>{"00 80", "00 00"}));
    EXPECT_TRUE(second.outputReports().empty());
}

TEST_F(PenProgramTest, NoFarewellWhileAnotherProcessHoldsTheHandoverMutex) {
    SimulatedPen pen(L"pen");
    ASSERT_TRUE(startProgram());
    ASSERT_TRUE(waitUntilReading(pen));
    HandoverMutexHold handover;
    ASSERT_TRUE(waitUntil([&] { return pen.openHandleCount() == 0; }, 2000ms));
    ASSERT_TRUE(program->close(10s).has_value());
    Sleep(100);
    EXPECT_EQ(outputTexts(pen), std::vector<std::string>{"00 80"});
}

TEST(PenShippedProgramTest, NeverFindsSimulatedPens) {
    SimulatedPen pen(L"pen");
    ResidentProgram shipped(Build::Shipped);
    shipped.writeSettings(quietSettings(SetAddressBar));
    ASSERT_TRUE(shipped.start());
    Sleep(500);  // ten reader rounds
    EXPECT_EQ(pen.openHandleCount(), 0);
    EXPECT_TRUE(pen.outputReports().empty());
    EXPECT_TRUE(shipped.close(10s).has_value());
    EXPECT_TRUE(pen.outputReports().empty());
}

}  // namespace
}  // namespace zelko::test
