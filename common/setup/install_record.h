#pragma once
// The installation as the installer records it and the uninstaller finds it: the registry keys
// under HKEY_LOCAL_MACHINE, the value names, the installed files and the startup shortcut.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/setup/machine.h"

namespace zelko {

constexpr char16_t kProductName[] = u"ZELKOペンミドルウェア";

constexpr char16_t kMakerKey[] = u"SOFTWARE\\Orvandale";
constexpr char16_t kProductKey[] = u"SOFTWARE\\Orvandale\\ZelkoInput";
constexpr char16_t kInstallKey[] = u"SOFTWARE\\Orvandale\\ZelkoInput\\Install";
// The installation's entry in the platform's list of installed programs.
constexpr char16_t kUninstallEntryKey[] =
    u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\KVNZelkoInput";

constexpr char16_t kPathValue[] = u"Path";
constexpr char16_t kExePathValue[] = u"ExePath";
constexpr char16_t kStartUpValue[] = u"StartUp";
constexpr char16_t kStartUpPathValue[] = u"StartUpPath";

constexpr char16_t kResidentProgramFile[] = u"ZelkoInput.exe";
constexpr char16_t kUninstallerFile[] = u"ZelkoUnInstall.exe";
constexpr char16_t kInstallerSettingsFile[] = u"ZelkoInstall.cfg";
// In the common (all users) Startup folder.
constexpr char16_t kStartUpShortcutFile[] = u"ZELKOペンミドルウェア.lnk";

// The programs read every recorded text into buffers of this many characters, terminator
// included: a longer text counts as missing.
constexpr std::size_t kRecordTextCapacity = 260;

// "folder\name".
std::u16string joinPath(std::u16string_view folder, std::u16string_view name);

// Everything the uninstaller needs; all four values must be present.
struct InstallRecord {
    std::u16string path;         // the install folder
    std::u16string exePath;      // the resident program
    std::u16string startUpPath;  // the startup shortcut (recorded also when none was made)
    std::uint32_t startUp = 0;   // 1 when the shortcut was made
};
std::optional<InstallRecord> readInstallRecord(Registry& registry);

// What an installation is made with: the install folder (no trailing backslash) and whether the
// resident program starts at log-on through the startup shortcut.
struct InstallChoices {
    std::u16string folder;
    bool startUp = true;
};
// The choices of the last installation, offered again for an update: "Path" and "StartUp".
std::optional<InstallChoices> readStoredChoices(Registry& registry);

}  // namespace zelko
