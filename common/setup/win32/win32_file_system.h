#pragma once
// Files and folders of this PC.

#include "common/setup/machine.h"

namespace zelko {

class Win32FileSystem : public FileSystem {
  public:
    EntryKind entryKind(const std::u16string& path) override;
    bool createFolder(const std::u16string& path) override;
    bool deleteFile(const std::u16string& path) override;
};

}  // namespace zelko
