#pragma once
// The installer's shell and a resident program, in memory, over a FakeMachine.

#include <set>
#include <string>
#include <vector>

#include "common/setup/testing/fake_machine.h"
#include "install/run/install_shell.h"

namespace zelko::testing {

constexpr char16_t kStartupFolder[] =
    u"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp";
constexpr std::uint64_t kResidentProgramSize = 700000;
constexpr std::uint64_t kUninstallerSize = 120000;

class FakeInstallShell : public InstallShell {
  public:
    explicit FakeInstallShell(FakeMachine& machine) : machine_(machine) {}

    void addLog(const std::u16string& line) override { log.push_back(line); }
    std::optional<std::u16string> commonStartupFolder() override { return startupFolder; }
    bool writeProgram(ProgramImage image, const std::u16string& path) override {
        auto parent = path.substr(0, path.find_last_of(u'\\'));
        if (failingWrites.count(path) || !machine_.hasFolder(parent) || machine_.hasFolder(path)) {
            return false;
        }
        machine_.addFile(path);
        written.push_back({image, path});
        return true;
    }
    std::uint64_t programSize(ProgramImage image) override {
        return image == ProgramImage::ResidentProgram ? kResidentProgramSize : kUninstallerSize;
    }
    bool createShortcut(const ShortcutSpec& shortcut) override {
        if (!shortcutSucceeds) {
            return false;
        }
        machine_.addFile(shortcut.linkPath);
        shortcuts.push_back(shortcut);
        return true;
    }
    bool startResidentProgram(const std::u16string& path) override {
        started.push_back(path);
        return startSucceeds;
    }

    std::vector<std::u16string> log;
    std::optional<std::u16string> startupFolder = kStartupFolder;
    std::set<std::u16string> failingWrites;
    std::vector<std::pair<ProgramImage, std::u16string>> written;
    bool shortcutSucceeds = true;
    std::vector<ShortcutSpec> shortcuts;
    bool startSucceeds = true;
    std::vector<std::u16string> started;

  private:
    FakeMachine& machine_;
};

// A resident program that closes after a number of polls, or never; time passes only in sleep().
class FakeResidentProgram : public ResidentProgramControl {
  public:
    explicit FakeResidentProgram(const FakeInstallShell& shell) : shell_(shell) {}

    bool findRunning() override { return running; }
    void askToClose() override {
        ++closeRequests;
        logLinesWhenAsked = shell_.log.size();
    }
    bool hasClosed() override {
        if (running && closeRequests > 0 && pollsUntilClosed >= 0 && polls++ >= pollsUntilClosed) {
            running = false;
        }
        return !running;
    }
    std::uint64_t milliseconds() override { return now; }
    void sleep(std::uint32_t milliseconds) override {
        now += milliseconds;
        sleeps.push_back(milliseconds);
    }

    bool running = false;
    int pollsUntilClosed = 0;  // -1: never closes
    int polls = 0;
    int closeRequests = 0;
    size_t logLinesWhenAsked = 0;
    std::uint64_t now = 1000;
    std::vector<std::uint32_t> sleeps;

  private:
    const FakeInstallShell& shell_;
};

// The whole machine the run sees.
struct InstallBench {
    FakeMachine machine;
    FakeInstallShell shell{machine};
    FakeResidentProgram resident{shell};
    InstallMachine install{machine, machine, machine, shell, resident};
};

}  // namespace zelko::testing
