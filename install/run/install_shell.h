#pragma once
// What the installation run needs beyond files, registry and message boxes: the status dialog's
// log, the common Startup folder, the programs carried in the installer, the shell link, the start
// of the resident program, and a running resident program to close. The Win32 side is in win32/.

#include <cstdint>
#include <optional>
#include <string>

#include "common/setup/machine.h"

namespace zelko {

// The programs the installer carries as resources of type "BIN".
enum class ProgramImage { ResidentProgram, Uninstaller };

struct ShortcutSpec {
    std::u16string linkPath;
    std::u16string target;
    std::u16string workingFolder;
};

class InstallShell {
  public:
    virtual ~InstallShell() = default;
    // Adds one line at the end of the status dialog's log.
    virtual void addLog(const std::u16string& line) = 0;
    virtual std::optional<std::u16string> commonStartupFolder() = 0;
    // Writes the carried program, whole, to `path`; a failed write leaves no partial file there.
    virtual bool writeProgram(ProgramImage image, const std::u16string& path) = 0;
    virtual std::uint64_t programSize(ProgramImage image) = 0;
    // A shell link that starts `target` in `workingFolder`, shown normally.
    virtual bool createShortcut(const ShortcutSpec& shortcut) = 0;
    virtual bool startResidentProgram(const std::u16string& path) = 0;
};

// A running resident program, found by its process name and its tray window.
class ResidentProgramControl {
  public:
    virtual ~ResidentProgramControl() = default;
    // Looks for a running resident program and remembers it.
    virtual bool findRunning() = 0;
    // Posts the close request to its tray window.
    virtual void askToClose() = 0;
    // Its tray window is gone and its process has ended.
    virtual bool hasClosed() = 0;
    virtual std::uint64_t milliseconds() = 0;
    virtual void sleep(std::uint32_t milliseconds) = 0;
};

struct InstallMachine {
    FileSystem& files;
    Registry& registry;
    MessageBoxes& messages;
    InstallShell& shell;
    ResidentProgramControl& resident;
};

}  // namespace zelko
