#include "install/run/win32/win32_install_shell.h"

#include <shlobj.h>

#include "common/win32/text.h"
#include "install/run/win32/program_resources.h"
#include "install/run/win32/shell_link.h"
#include "install/run/win32/unelevated_start.h"

namespace zelko {

void Win32InstallShell::addLog(const std::u16string& line) {
    log_.addLine(toWide(line));
}

std::optional<std::u16string> Win32InstallShell::commonStartupFolder() {
    wchar_t folder[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(owner_, folder, CSIDL_COMMON_STARTUP, FALSE) || folder[0] == 0) {
        return std::nullopt;
    }
    return toU16(folder);
}

bool Win32InstallShell::writeProgram(ProgramImage image, const std::u16string& path) {
    return writeProgramFile(image, toWide(path));
}

std::uint64_t Win32InstallShell::programSize(ProgramImage image) {
    return programBytes(image).size;
}

bool Win32InstallShell::createShortcut(const ShortcutSpec& shortcut) {
    return createShellLink(toWide(shortcut.workingFolder), toWide(shortcut.linkPath),
                           toWide(shortcut.target));
}

bool Win32InstallShell::startResidentProgram(const std::u16string& path) {
    return startUnelevated(toWide(path));
}

}  // namespace zelko
