#pragma once
// `CreateFolderTree`: creates a folder and every missing folder above it.

#include <string>

#include "common/setup/machine.h"

namespace zelko {

// Walks the path's folders from the top and creates each one that is missing; the drive or the
// network share at its root is never created. True when the last creation succeeded; false when a
// creation failed or nothing was missing.
bool createFolderTree(FileSystem& files, const std::u16string& path);

}  // namespace zelko
