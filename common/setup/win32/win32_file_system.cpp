#include "common/setup/win32/win32_file_system.h"

#include <windows.h>

#include "common/win32/text.h"

namespace zelko {

EntryKind Win32FileSystem::entryKind(const std::u16string& path) {
    // The attributes of exactly this path: unlike a file search, wildcards in a typed folder
    // name match nothing else.
    const DWORD attributes = GetFileAttributesW(toWide(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return EntryKind::None;
    }
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? EntryKind::Folder : EntryKind::File;
}

bool Win32FileSystem::createFolder(const std::u16string& path) {
    return CreateDirectoryW(toWide(path).c_str(), nullptr) != 0;
}

bool Win32FileSystem::deleteFile(const std::u16string& path) {
    return DeleteFileW(toWide(path).c_str()) != 0;
}

}  // namespace zelko
