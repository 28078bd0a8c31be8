#pragma once
// RAII holder for a SetupAPI device information set.

#include <windows.h>

#include <setupapi.h>

#include "common/win32/unique_resource.h"

namespace zelko::virtualpen {

struct DeviceInfoSetTraits {
    using Handle = HDEVINFO;
    static Handle none() { return INVALID_HANDLE_VALUE; }
    static bool isOpen(Handle handle) { return handle != INVALID_HANDLE_VALUE; }
    static void close(Handle handle) { SetupDiDestroyDeviceInfoList(handle); }
};
using DeviceInfoSet = UniqueResource<DeviceInfoSetTraits>;

}  // namespace zelko::virtualpen
