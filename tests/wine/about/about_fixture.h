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
#include "support/resident_program.h"

namespace zelko::test {

constexpr char kUpdateInfoPath[] = "/drivers/update.php";
constexpr char kInstallerPath[] = "/files/ZelkoInstall.exe";

// The temporary folder of the Wine session's user, which the program under test shares.
std::wstring temporaryFolder();
// What a download may leave there: "ZelkoInstall.exe" and the temporary "ZLK*.tmp" files.
std::vector<std::wstring> downloadLeftovers();
void removeDownloadLeftovers();

// The update server's reply that offers `version` with the installer at kInstallerPath.
std::string offerReply(unsigned version);

class AboutDialogTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the test build (start the browser on scans, no sound, no notification), with a
    // simulated pen of this firmware version if given, and waits until it reads the pen.
    void startProgram(std::optional<std::uint16_t> penVersion = std::nullopt);
    // Opens the about dialog from the tray menu.
    void openDialog();

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
    std::vector<std::string> probeRuns() const;

    std::wstring probeLog;
    std::optional<FakeBrowserBench> browser;
    std::optional<pensim::SimulatedPen> pen;
    std::optional<ResidentProgram> program;
    HWND dialog = nullptr;
};

}  // namespace zelko::test
