#include "install/run/close_resident.h"

#include <gtest/gtest.h>

#include "install/run/tests/fake_install_shell.h"

namespace zelko {
namespace {

TEST(CloseResident, RecognisesTheProgramByItsNameInAnyCase) {
    for (const char16_t* name : {u"ZelkoInput.exe", u"ZelkoInput.EXE", u"zelkoinput.exe"}) {
        EXPECT_TRUE(isResidentProgramImageName(name));
    }
    for (const char16_t* name :
         {u"ZelkoInputTest.exe", u"ZelkoInput.ex", u"xZelkoInput.exe", u""}) {
        EXPECT_FALSE(isResidentProgramImageName(name));
    }
}

TEST(CloseResident, NothingRunningIsNothingToClose) {
    testing::InstallBench bench;
    EXPECT_TRUE(closeRunningResident(bench.resident));
    EXPECT_EQ(bench.resident.closeRequests, 0);
}

TEST(CloseResident, WaitsInShortStepsUntilTheProgramHasGone) {
    testing::InstallBench bench;
    bench.resident.running = true;
    bench.resident.pollsUntilClosed = 5;
    EXPECT_TRUE(closeRunningResident(bench.resident));
    EXPECT_EQ(bench.resident.closeRequests, 1);
    EXPECT_EQ(bench.resident.sleeps, std::vector<std::uint32_t>(5, 10));
}

TEST(CloseResident, GivesUpAfterFiveSecondsAndLeavesTheProgramRunning) {
    testing::InstallBench bench;
    bench.resident.running = true;
    bench.resident.pollsUntilClosed = -1;
    EXPECT_FALSE(closeRunningResident(bench.resident));
    EXPECT_EQ(bench.resident.closeRequests, 1);
    EXPECT_EQ(bench.resident.now - 1000, 5000u);
    EXPECT_TRUE(bench.resident.running);
}

}  // namespace
}  // namespace zelko
