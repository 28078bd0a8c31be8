#pragma once
// The installer's shell on this PC: the status dialog's log, the common Startup folder, the
// carried programs, the shell link and the unelevated start.

#include <windows.h>

#include "install/run/install_shell.h"
#include "install/run/win32/log_list.h"

namespace zelko {

class Win32InstallShell : public InstallShell {
  public:
    Win32InstallShell(HWND owner, LogList& log) : owner_(owner), log_(log) {}

    void addLog(const std::u16string& line) override;
    std::optional<std::u16string> commonStartupFolder() override;
    bool writeProgram(ProgramImage image, const std::u16string& path) override;
    std::uint64_t programSize(ProgramImage image) override;
    bool createShortcut(const ShortcutSpec& shortcut) override;
    bool startResidentProgram(const std::u16string& path) override;

  private:
    HWND owner_;
    LogList& log_;
};

}  // namespace zelko
