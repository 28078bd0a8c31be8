#pragma once
// A run of the test build of the resident program against simulated pens.

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "pensim/simulated_pen.h"
#include "support/fake_browser_bench.h"
#include "support/resident_program.h"

namespace zelko::test {

using namespace std::chrono_literals;

constexpr int kUsable = 0;
constexpr int kNoAccess = 1;
constexpr int kNotAttached = 2;

class PenProgramTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the test build (settings: no sound, no notification window).
    bool startProgram();
    // Before startProgram(): the fake browser is the default browser and scans start it.
    void useFakeBrowser();
    // The addresses the browser was started with, in order.
    std::vector<std::string> browserStarts() const;

    // The reader has claimed `pen` and holds its read handle open (the handle that stays open
    // after the probes and the claim).
    bool waitUntilReading(const pensim::SimulatedPen& pen,
                          std::chrono::milliseconds timeout = 5000ms);

    // The scans announced with "pen-event 0", oldest first.
    std::vector<std::string> announcedScans() const;
    bool waitForScan(const std::string& scan, std::chrono::milliseconds timeout = 3000ms) const;

    std::optional<FakeBrowserBench> browser;
    std::optional<ResidentProgram> program;
};

// The output reports of a pen as "00 80"-style texts, in order.
std::vector<std::string> outputTexts(const pensim::SimulatedPen& pen);

}  // namespace zelko::test
