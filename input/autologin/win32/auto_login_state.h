#pragma once
// The resident program's auto-login state: the worker, the scan it works on, the stored records
// and the addresses on their way to the main thread.

#include <atomic>
#include <cstdint>

#include "autologin/auto_login_flow.h"
#include "autologin/login_record.h"
#include "autologin/pending_addresses.h"
#include "common/win32/unique_handle.h"

namespace zelko {

struct AutoLoginState {
    // 1 from the moment a scan starts an auto-login until the worker ends or an address it handed
    // over has been opened.
    std::atomic<std::int32_t> busy{0};
    // Cleared only by shut-down: the worker then ends and hands nothing more over.
    std::atomic<std::int32_t> keepRunning{0};
    // 1 while a worker thread runs; the worker clears it as its last act.
    std::atomic<std::int32_t> workerRunning{0};
    UniqueHandle workerThread;
    ScannedCode scan;         // written by the main thread before the worker starts
    LoginRecordList records;  // used by the worker; emptied at shut-down after it has ended
    PendingAddresses pendingAddresses;
};

}  // namespace zelko
