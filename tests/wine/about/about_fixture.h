#pragma once
// The test build of the resident program with its about dialog open, the reference web service
// as the update server, and the temporary folder where the update lands.

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "pensim/simulated_pen.h"
#include "support/fake_browser_bench.h"
#include "support/reference_service.h"
#include "support/resident_program.h"
#include "support/update_bench.h"

namespace zelko::test {

class AboutDialogTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the test build (start the browser on scans, no sound, no notification), with a
    // simulated pen of this firmware version if given, and waits until it reads the pen.
    void startProgram(std::optional<std::uint16_t> penVersion = std::nullopt);
    // Opens the about dialog from the tray menu.
    void openDialog();
    // Sets the update server's answers, starts the program, opens the dialog and clicks
    // "アップデートチェック".
    void startUpdateCheck(const ServiceReply& updateInfo,
                          const ServiceReply& installer = ServiceReply::text("", 404));

    void click(int id) const;
    bool buttonsEnabled() const;
    bool buttonsDisabled() const;
    bool dialogOpen() const { return dialog && IsWindow(dialog) && IsWindowVisible(dialog); }

    // Waits for the message box with this caption, checks its text (and that its font draws it),
    // and answers it with `button`.
    void answerMessageBox(const std::wstring& caption, const std::wstring& text, int button = IDOK);
    // The requests the service took, as "target agent".
    std::vector<std::string> serviceRequests() const;
    // The lines the stand-in installer wrote when it ran.
    std::vector<std::string> probeRuns() const { return updateProbeRuns(probeLog); }

    std::wstring probeLog;
    std::optional<FakeBrowserBench> browser;
    std::optional<pensim::SimulatedPen> pen;
    std::optional<ResidentProgram> program;
    HWND dialog = nullptr;
};

}  // namespace zelko::test
