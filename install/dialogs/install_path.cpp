#include "install/dialogs/install_path.h"

#include "common/setup/install_record.h"
#include "install/dialogs/windows_path.h"

namespace zelko {

std::size_t longestInstallFolder() {
    const std::size_t longestFileName = std::char_traits<char16_t>::length(kUninstallerFile);
    return kRecordTextCapacity - 1 - (1 + longestFileName);
}

std::optional<std::u16string> composeInstallPath(std::u16string_view typed,
                                                 std::u16string_view currentFolder) {
    if (typed.size() > kLongestTypedFolder) {
        return std::nullopt;
    }
    auto folder = fullPath(typed, currentFolder);
    if (!folder) {
        return std::nullopt;
    }
    if (folder->back() != u'\\') {
        *folder += u'\\';
    }
    *folder += kInstallSubfolders;
    if (folder->size() > longestInstallFolder()) {
        return std::nullopt;
    }
    return folder;
}

}  // namespace zelko
