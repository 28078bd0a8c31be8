#include "uninstall/run/uninstall_run.h"

#include "common/setup/install_record.h"
#include "uninstall/run/uninstall_texts.h"

namespace zelko {

namespace {

using namespace uninstall_text;

bool isExistingFile(FileSystem& files, const std::u16string& path) {
    return files.entryKind(path) == EntryKind::File;
}

bool report(MessageBoxes& messages, const std::u16string& text, const char16_t* caption,
            bool succeeded) {
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
    // The installer's settings file may stay, as the folder and the resident program's settings do.
    const std::u16string installerSettings = joinPath(record->path, kInstallerSettingsFile);
    if (isExistingFile(files, installerSettings)) {
        files.deleteFile(installerSettings);
    }
    // A startup shortcut left behind would start a program that is gone at every log-on, and
    // without the record no later run could find it: the record stays until it is deleted.
    if (record->startUp == 1 && isExistingFile(files, record->startUpPath) &&
        !files.deleteFile(record->startUpPath)) {
        return report(messages, shortcutNotRemoved(record->startUpPath), kErrorCaption, false);
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
