#include "install/run/old_shortcut.h"

#include "common/setup/install_record.h"

namespace zelko {

bool removeOldStartUpShortcut(FileSystem& files, Registry& registry) {
    if (!registry.keyExists(kInstallKey)) {
        return false;
    }
    auto shortcut = registry.readText(kInstallKey, kStartUpPathValue);
    if (!shortcut || shortcut->size() >= kRecordTextCapacity) {
        return false;
    }
    if (files.entryKind(*shortcut) != EntryKind::File) {
        return true;
    }
    return files.deleteFile(*shortcut);
}

}  // namespace zelko
