// The pen shell's discovery and commands, called in this process against simulated pens.

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <thread>

#include "pen/win32/pen_commands.h"
#include "pen/win32/pen_discovery.h"
#include "pensim/simulated_pen.h"
#include "support/wait.h"

namespace zelko::test {
namespace {

using namespace std::chrono_literals;
using pensim::PenIdentity;
using pensim::SimulatedPen;

std::vector<std::vector<std::uint8_t>> writtenBytes(const SimulatedPen& pen) {
    std::vector<std::vector<std::uint8_t>> bytes;
    for (const auto& report : pen.outputReports()) {
        bytes.push_back(report.bytes);
    }
    return bytes;
}

class PenShellTest : public ::testing::Test {
  protected:
    void SetUp() override { reader.keepRunning = 1; }
    PenReader reader;
};

TEST_F(PenShellTest, CommandsWriteTheirTwoBytes) {
    const struct {
        PenCommand command;
        std::vector<std::uint8_t> bytes;
    } cases[] = {{PenCommand::Announce, {0x00, 0x80}}, {PenCommand::Farewell, {0x00, 0x00}}};
    for (const auto& c : cases) {
        SimulatedPen pen(L"pen");
        EXPECT_EQ(sendPenCommand(reader, c.command, pen.path().c_str(), false), 1);
        ASSERT_TRUE(waitUntil([&] { return !pen.outputReports().empty(); }, 1000ms));
        EXPECT_EQ(writtenBytes(pen), std::vector<std::vector<std::uint8_t>>{c.bytes});
    }
}

TEST_F(PenShellTest, CommandWithoutAnyPathFails) {
    EXPECT_EQ(sendPenCommand(reader, PenCommand::Announce, nullptr, false), 0);
}

TEST_F(PenShellTest, CommandGoesToTheClaimedPathWhenNoneIsGiven) {
    SimulatedPen pen(L"pen");
    reader.devicePath = pen.path();
    EXPECT_EQ(sendPenCommand(reader, PenCommand::Farewell, nullptr, true), 1);
    ASSERT_TRUE(waitUntil([&] { return !pen.outputReports().empty(); }, 1000ms));
    EXPECT_EQ(writtenBytes(pen), (std::vector<std::vector<std::uint8_t>>{{0x00, 0x00}}));
}

TEST_F(PenShellTest, PenThatNeverTakesTheReportFailsAfterFiveAttempts) {
    SimulatedPen pen(L"pen");
    pen.setRefuseOutput(true);
    const ULONGLONG started = GetTickCount64();
    EXPECT_EQ(sendPenCommand(reader, PenCommand::Announce, pen.path().c_str(), true), 0);
    const ULONGLONG elapsed = GetTickCount64() - started;
    std::printf("five refused attempts took %llu ms\n", elapsed);
    EXPECT_GE(elapsed, 5 * 45u);
    EXPECT_LT(elapsed, 2000u);
    EXPECT_EQ(pen.pendingOutputBytes(), 0u);  // every attempt was cancelled
    EXPECT_TRUE(pen.outputReports().empty());
}

TEST_F(PenShellTest, StopRequestCancelsACancellableCommand) {
    SimulatedPen pen(L"pen");
    pen.setRefuseOutput(true);
    std::thread stopper([&] {
        Sleep(20);
        reader.keepRunning = 0;
        SetEvent(reader.stopEvent.get());
    });
    const ULONGLONG started = GetTickCount64();
    EXPECT_EQ(sendPenCommand(reader, PenCommand::Announce, pen.path().c_str(), true), 0);
    const ULONGLONG elapsed = GetTickCount64() - started;
    stopper.join();
    EXPECT_LT(elapsed, 45u + 20u);  // well within the first attempt's 50 ms
}

TEST_F(PenShellTest, FarewellIsNotCancelledByTheStopRequest) {
    SimulatedPen pen(L"pen");
    reader.keepRunning = 0;
    SetEvent(reader.stopEvent.get());
    EXPECT_EQ(sendPenCommand(reader, PenCommand::Farewell, pen.path().c_str(), false), 1);
}

// ---- discovery ----

PenIdentity identity(std::uint16_t vendorId, std::uint16_t productId, std::uint16_t usagePage,
                     std::uint16_t usage, bool identifies = true) {
    PenIdentity id;
    id.vendorId = vendorId;
    id.productId = productId;
    id.usagePage = usagePage;
    id.usage = usage;
    id.identifies = identifies;
    return id;
}

TEST_F(PenShellTest, ClaimSkipsWhatIsNotThePen) {
    const PenIdentity decoys[] = {
        identity(0x1A7F, 0x0001, 0x0001, 0x0006),         // same IDs, usage 6
        identity(0x1A7F, 0x0001, 0x000C, 0x0000),         // another usage page
        identity(0x1A80, 0x0001, 0x0001, 0x0000),         // another vendor
        identity(0x1A7F, 0x0002, 0x0001, 0x0000),         // another product
        identity(0x1A7F, 0x0001, 0x0001, 0x0000, false),  // attributes cannot be read
    };
    for (const PenIdentity& decoy : decoys) {
        SimulatedPen other(L"decoy", decoy);
        PenIdentity penIdentity;
        penIdentity.version = 0x0207;
        SimulatedPen pen(L"pen", penIdentity);
        reader.devicePath.clear();
        ASSERT_EQ(claimPen(reader), 1);
        EXPECT_EQ(reader.devicePath, pen.path());
        EXPECT_EQ(reader.penVersion, 0x0207);
        EXPECT_TRUE(other.outputReports().empty());

        // Alone, the decoy is neither found nor claimed.
        pen.unplug();
        reader.devicePath.clear();
        EXPECT_EQ(findPen(reader), 0);
        EXPECT_EQ(claimPen(reader), 0);
        EXPECT_TRUE(reader.devicePath.empty());
    }
}

TEST_F(PenShellTest, ClaimPassesOverAPenThatRefusesTheAnnounce) {
    SimulatedPen refusing(L"refusing");
    refusing.setRefuseOutput(true);
    SimulatedPen taking(L"taking");
    std::wstring found;
    ASSERT_EQ(findPen(reader, &found), 1);
    EXPECT_EQ(found, refusing.path());  // presence: the first pen
    ASSERT_EQ(claimPen(reader), 1);
    EXPECT_EQ(reader.devicePath, taking.path());
    EXPECT_EQ(claimPen(reader), 0);  // a path is held already
    EXPECT_EQ(reader.devicePath, taking.path());
}

TEST_F(PenShellTest, LinkTestDropsThePathOfAnUnpluggedPen) {
    SimulatedPen pen(L"pen");
    ASSERT_EQ(claimPen(reader), 1);
    EXPECT_EQ(checkLink(reader), 1);
    EXPECT_EQ(reader.linkState, 1);
    pen.unplug();
    EXPECT_EQ(checkLink(reader), 0);
    EXPECT_EQ(reader.linkState, 0);
    EXPECT_TRUE(reader.devicePath.empty());
}

}  // namespace
}  // namespace zelko::test
