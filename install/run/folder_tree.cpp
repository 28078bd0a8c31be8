#include "install/run/folder_tree.h"

#include "install/dialogs/windows_path.h"

namespace zelko {

bool createFolderTree(FileSystem& files, const std::u16string& path) {
    std::u16string walked = path;
    while (!walked.empty() && walked.back() == u'\\') {
        walked.pop_back();
    }
    walked += u'\\';
    const size_t root = rootLength(walked);
    bool created = false;
    for (size_t separator = walked.find(u'\\', 1); separator != std::u16string::npos;
         separator = walked.find(u'\\', separator + 1)) {
        if (separator <= root) {
            continue;
        }
        const std::u16string folder = walked.substr(0, separator);
        if (files.entryKind(folder) != EntryKind::None) {
            continue;
        }
        created = files.createFolder(folder);
        if (!created) {
            return false;
        }
    }
    return created;
}

}  // namespace zelko
