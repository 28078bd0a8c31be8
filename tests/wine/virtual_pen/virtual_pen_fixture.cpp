#include "virtual_pen/virtual_pen_fixture.h"

#include <windows.h>

#include "pensim/scan_reports.h"
#include "resources/resource_ids.h"
#include "support/about_dialog_driver.h"
#include "support/tray_tips.h"
#include "support/wait.h"

namespace zelko::test {

RecordedPen::RecordedPen(const virtualpen::PenIdentity& identity) : pen_(identity) {}

const std::vector<std::string>& RecordedPen::outputs() {
    for (const virtualpen::OutputReport& report : pen_.takeOutputReports()) {
        outputs_.push_back(virtualpen::reportText(report));
    }
    return outputs_;
}

bool RecordedPen::waitForOutputs(std::size_t count, std::chrono::milliseconds timeout) {
    return waitUntil([&] { return outputs().size() >= count; }, timeout, 2ms);
}

bool RecordedPen::typeScan(const std::string& text) {
    const auto timed = pensim::scanReports(text);
    if (!timed) {
        return false;
    }
    std::vector<virtualpen::InputReport> reports;
    for (const pensim::TimedReport& report : *timed) {
        reports.push_back(report.bytes);
    }
    return pen_.inject(reports);
}

void VirtualPenTest::SetUp() {
    ASSERT_TRUE(virtualpen::virtualPenBusAvailable())
        << "the virtual pen drivers do not run in this Wine prefix; bench_up installs them "
           "once the Windows build has made them (build/windows/bin/virtualpen)";
    browser.emplace(L"virtual-pen-browser");
    browser->installAsDefault(L"chrome.exe");
}

void VirtualPenTest::TearDown() {
    if (program && program->process().running()) {
        EXPECT_TRUE(program->close(10s).has_value()) << "the program did not close";
    }
    program.reset();
    browser.reset();
}

void VirtualPenTest::startShippedProgram() {
    program.emplace(Build::Shipped, L"virtual-pen-program");
    program->writeSettings(quietSettings(LaunchBrowser));
    ASSERT_TRUE(program->start());
}

std::wstring VirtualPenTest::aboutDialogPenVersion() {
    HWND dialog = openAboutDialog(*program);
    if (dialog == nullptr) {
        ADD_FAILURE() << "the about dialog did not open";
        return L"";
    }
    wchar_t text[32] = {};
    GetDlgItemTextW(dialog, IDC_PEN_VERSION, text, 32);
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(dialog); }, 5s));
    return text;
}

bool VirtualPenTest::waitForTrayState(TrayState state, std::chrono::milliseconds timeout) const {
    return waitUntil([&] { return shownTrayState() == static_cast<int>(state); }, timeout, 20ms);
}

virtualpen::PenIdentity penIdentity(std::uint16_t vendorId, std::uint16_t productId,
                                    std::uint16_t usage, std::uint16_t versionNumber) {
    virtualpen::PenIdentity identity = virtualpen::zelkoPenIdentity();
    identity.vendorId = vendorId;
    identity.productId = productId;
    identity.usage = usage;
    identity.versionNumber = versionNumber;
    return identity;
}

}  // namespace zelko::test
