#pragma once
// RAII holders for kernel handles.

#include <windows.h>

#include "common/win32/unique_resource.h"

namespace zelko {

struct KernelHandleTraits {
    using Handle = HANDLE;
    static bool isOpen(HANDLE handle) {
        return handle != nullptr && handle != INVALID_HANDLE_VALUE;
    }
    static void close(HANDLE handle) { CloseHandle(handle); }
};

// Handles of mutexes, events, threads and processes: null means none.
struct NullMeansNone : KernelHandleTraits {
    static HANDLE none() { return nullptr; }
};
using UniqueHandle = UniqueResource<NullMeansNone>;

// Handles of files and devices: INVALID_HANDLE_VALUE means none.
struct InvalidMeansNone : KernelHandleTraits {
    static HANDLE none() { return INVALID_HANDLE_VALUE; }
};
using UniqueFileHandle = UniqueResource<InvalidMeansNone>;

}  // namespace zelko
