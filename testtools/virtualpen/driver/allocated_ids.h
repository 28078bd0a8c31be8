#pragma once
// A pen's plug and play ids in pool memory, as IRP_MN_QUERY_ID hands them to the system (which
// frees them). Null when the pool has no room.

#include "kernel.h"

#include "virtualpen/pen_ids.h"

namespace zelko::virtualpen {

constexpr ULONG kIdPoolTag = 0x6469705a;

wchar_t* penDeviceId(const PenIdentity& identity);
wchar_t* penInstanceId(ULONG slot);
wchar_t* penHardwareIds(const PenIdentity& identity);
wchar_t* penCompatibleIds();

}  // namespace zelko::virtualpen
