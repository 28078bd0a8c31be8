#include "pen/pen_program_fixture.h"

#include <cstdio>

#include "support/wait.h"

namespace zelko::test {

void PenProgramTest::SetUp() {
    program.emplace(Build::Test);
    program->writeSettings(quietSettings(SetAddressBar));
}

void PenProgramTest::TearDown() {
    // Closes the program (if the test has not) and checks nothing more.
    program.reset();
    browser.reset();
}

void PenProgramTest::useFakeBrowser() {
    browser.emplace(L"pen-browser");
    browser->installAsDefault(L"chrome.exe");
    program->writeSettings(quietSettings(LaunchBrowser));
}

std::vector<std::string> PenProgramTest::browserStarts() const {
    std::vector<std::string> addresses;
    for (const FakeBrowserStart& start : browser->starts()) {
        addresses.push_back(start.arguments.empty() ? "" : start.arguments[0]);
    }
    return addresses;
}

bool PenProgramTest::startProgram() {
    return program->start();
}

bool PenProgramTest::waitUntilReading(const pensim::SimulatedPen& pen,
                                      std::chrono::milliseconds timeout) {
    return waitUntil(
        [&] {
            return program->lastTrayState() == kUsable && pen.openHandleCount(50ms) == 1 &&
                   pen.openHandleCount() == 1;
        },
        timeout);
}

std::vector<std::string> PenProgramTest::announcedScans() const {
    std::vector<std::string> scans;
    for (const auto& event : program->events()) {
        if (event.name != "pen-event" || event.fields.rfind("0", 0) != 0) {
            continue;
        }
        scans.push_back(event.fields.size() > 2 ? event.fields.substr(2) : "");
    }
    return scans;
}

bool PenProgramTest::waitForScan(const std::string& scan, std::chrono::milliseconds timeout) const {
    return waitUntil(
        [&] {
            const auto scans = announcedScans();
            return !scans.empty() && scans.back() == scan;
        },
        timeout);
}

std::vector<std::string> outputTexts(const pensim::SimulatedPen& pen) {
    std::vector<std::string> texts;
    for (const auto& report : pen.outputReports()) {
        std::string text;
        for (auto byte : report.bytes) {
            char hex[4];
            std::snprintf(hex, sizeof(hex), "%02X", byte);
            text += (text.empty() ? "" : " ") + std::string(hex);
        }
        texts.push_back(text);
    }
    return texts;
}

}  // namespace zelko::test
