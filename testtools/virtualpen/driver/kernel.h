#pragma once
// The kernel headers of MinGW-w64 for the drivers. wdm.h defines two interlocked bit operations
// that the compiler's intrinsics header has already defined; in C++ the second definition is an
// error, so the intrinsics header's are kept out.

#define __INTRINSIC_DEFINED_InterlockedBitTestAndSet
#define __INTRINSIC_DEFINED_InterlockedBitTestAndReset
#include <ddk/wdm.h>
