#pragma once
// The programs the installer carries in its own resources ("BIN" 134 and 135).

#include <windows.h>

#include <cstdint>
#include <string>

#include "install/run/install_shell.h"

namespace zelko {

struct ProgramBytes {
    const void* data = nullptr;
    DWORD size = 0;
};

// The carried program's bytes (mapped with the installer's image), or an empty view.
ProgramBytes programBytes(ProgramImage image);

// Writes the program to `path`: into a new file in the same folder first, which then replaces
// `path`. A failed write or replacement (the file in use by a running program) leaves `path` as
// it was and no new file behind.
bool writeProgramFile(ProgramImage image, const std::wstring& path);

}  // namespace zelko
