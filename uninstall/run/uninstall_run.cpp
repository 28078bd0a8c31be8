#include "uninstall/run/uninstall_run.h"

#include "common/setup/install_record.h"
#include "uninstall/run/uninstall_texts.h"

namespace zelko {

namespace {

using namespace uninstall_text;

bool isExistingFile(FileSystem& files, const std::u16string& path) {
    return files.entryKind(path) == EntryKind::File;
}

bool report(MessageBoxes& messages, const char16_t* text, const char16_t* caption, bool succeeded) {
    messages.show(text, caption, Buttons::Ok);
    return succeeded;
}

}  // namespace

bool runUninstall(FileSystem& files, Registry& registry, MessageBoxes& messages) {
    const auto record = readInstallRecord(registry);
    if (!record) {
        return report(messages, kNotInstalled, kErrorCaption, false);
    }
    if (isExistingFile(files, record->exePath) && !files.deleteFile(record->exePath)) {
        return report(messages, kProgramInUse, kErrorCaption, false);
    }
    // What cannot be deleted of these stays; the uninstallation goes on.
    const std::u16string installerSettings = joinPath(record->path, kInstallerSettingsFile);
    if (isExistingFile(files, installerSettings)) {
        files.deleteFile(installerSettings);
    }
    if (record->startUp == 1 && isExistingFile(files, record->startUpPath)) {
        files.deleteFile(record->startUpPath);
    }
    // "ZelkoInput" can go only once its subkey "Install" has gone.
    for (const char16_t* key : {kInstallKey, kProductKey, kUninstallEntryKey}) {
        if (!registry.deleteKey(key)) {
            return report(messages, kRegistryNotRemoved, kErrorCaption, false);
        }
    }
    return report(messages, kUninstalled, kUninstalledCaption, true);
}

}  // namespace zelko
