#pragma once
// RAII holder for an open registry key.

#include <windows.h>

#include "common/win32/unique_resource.h"

namespace zelko {

struct RegistryKeyTraits {
    using Handle = HKEY;
    static HKEY none() { return nullptr; }
    static bool isOpen(HKEY key) { return key != nullptr; }
    static void close(HKEY key) { RegCloseKey(key); }
};
using RegistryKey = UniqueResource<RegistryKeyTraits>;

}  // namespace zelko
