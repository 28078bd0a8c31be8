#include "install/run/register_install.h"

#include "common/setup/install_record.h"

namespace zelko {

std::uint32_t sizeInKb(std::uint64_t bytes) {
    return static_cast<std::uint32_t>((bytes + 1023) / 1024);
}

bool registerInstall(Registry& registry, const Registration& r) {
    for (const char16_t* key : {kMakerKey, kProductKey, kInstallKey}) {
        if (!registry.createKey(key)) {
            return false;
        }
    }
    const std::u16string residentProgram = joinPath(r.folder, kResidentProgramFile);
    const bool recorded = registry.writeText(kInstallKey, kPathValue, r.folder) &&
                          registry.writeText(kInstallKey, kExePathValue, residentProgram) &&
                          registry.writeNumber(kInstallKey, kStartUpValue, r.startUp ? 1 : 0) &&
                          registry.writeText(kInstallKey, kStartUpPathValue,
                                             joinPath(r.startupFolder, kStartUpShortcutFile));
    if (!recorded || !registry.createKey(kUninstallEntryKey)) {
        return false;
    }
    // The uninstaller's path is quoted: unquoted, a path with spaces would be read up to its
    // first space ("C:\Program.exe").
    const std::u16string uninstallCommand = u"\"" + joinPath(r.folder, kUninstallerFile) + u"\"";
    return registry.writeText(kUninstallEntryKey, u"DisplayName", kProductName) &&
           registry.writeText(kUninstallEntryKey, u"UninstallString", uninstallCommand) &&
           registry.writeText(kUninstallEntryKey, u"DisplayVersion", kDisplayVersion) &&
           registry.writeText(kUninstallEntryKey, u"Publisher", kPublisher) &&
           registry.writeText(kUninstallEntryKey, u"DisplayIcon", residentProgram) &&
           registry.writeText(kUninstallEntryKey, u"InstallLocation", r.folder) &&
           registry.writeNumber(kUninstallEntryKey, u"EstimatedSize", r.sizeKb) &&
           registry.writeNumber(kUninstallEntryKey, u"NoModify", 1) &&
           registry.writeNumber(kUninstallEntryKey, u"NoRepair", 1);
}

}  // namespace zelko
