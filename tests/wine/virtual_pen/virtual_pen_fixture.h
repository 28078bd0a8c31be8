#pragma once
// The shipped resident program against virtual pens: real HID devices of the Wine session made by
// the virtual pen drivers (testtools/virtualpen), which the bench installs into the prefix. The
// program finds, reads and writes them through SetupAPI, hid.dll and the HID class driver, with no
// test seam.

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "support/fake_browser_bench.h"
#include "support/resident_program.h"
#include "tray/tray_state.h"
#include "virtualpen/win32/virtual_pen.h"

namespace zelko::test {

using namespace std::chrono_literals;

// A virtual pen with every output report it has been written, kept across reads.
class RecordedPen {
  public:
    explicit RecordedPen(const virtualpen::PenIdentity& identity = virtualpen::zelkoPenIdentity());

    virtualpen::VirtualPen& device() { return pen_; }
    // The pen's HID device is up (it opens), within 10 s of the plug.
    bool present() const { return pen_.waitUntilPresent(); }
    // Every output report written so far, "00 80"-style, oldest first.
    const std::vector<std::string>& outputs();
    // Waits until `count` output reports have been written; returns them.
    bool waitForOutputs(std::size_t count, std::chrono::milliseconds timeout);
    // The typing of a scan ("host/pen/code"), as the pen sends it.
    bool typeScan(const std::string& text);

  private:
    virtualpen::VirtualPen pen_;
    std::vector<std::string> outputs_;
};

class VirtualPenTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the shipped program (browser start mode, no sound, no notification window).
    void startShippedProgram();
    // The pen version line of the about dialog, opened from the tray menu and closed again.
    std::wstring aboutDialogPenVersion();
    // Waits until the program's tray icon shows `state` (its tip, as the shell shows it).
    bool waitForTrayState(TrayState state, std::chrono::milliseconds timeout) const;

    std::optional<FakeBrowserBench> browser;
    std::optional<ResidentProgram> program;
};

// The virtual pen's identity with other ids, version or usage.
virtualpen::PenIdentity penIdentity(std::uint16_t vendorId, std::uint16_t productId,
                                    std::uint16_t usage = 0x0000,
                                    std::uint16_t versionNumber = 0x0100);

}  // namespace zelko::test
