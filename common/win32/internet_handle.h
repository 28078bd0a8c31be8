#pragma once
// RAII holder for WinINet handles (sessions, connections, requests).

#include <windows.h>
#include <wininet.h>

#include "common/win32/unique_resource.h"

namespace zelko {

struct InternetHandleTraits {
    using Handle = HINTERNET;
    static HINTERNET none() { return nullptr; }
    static bool isOpen(HINTERNET handle) { return handle != nullptr; }
    static void close(HINTERNET handle) { InternetCloseHandle(handle); }
};
using InternetHandle = UniqueResource<InternetHandleTraits>;

}  // namespace zelko
