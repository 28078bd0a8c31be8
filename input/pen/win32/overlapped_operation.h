#pragma once
// One overlapped read or write on a device handle, signalled through its own event. A pending
// operation is cancelled and waited for before the record goes, so no I/O ever outlives the
// buffer or the OVERLAPPED it uses. The device handle must outlive the record.

#include <windows.h>

#include "common/win32/unique_handle.h"

namespace zelko {

class OverlappedOperation {
  public:
    OverlappedOperation();
    OverlappedOperation(const OverlappedOperation&) = delete;
    OverlappedOperation& operator=(const OverlappedOperation&) = delete;
    ~OverlappedOperation();

    enum class Start { Pending, Failed };

    // Starts the operation; one that completes at once also reports Pending, with its event set.
    // On Failed, `lastError()` tells why.
    Start read(HANDLE device, void* buffer, DWORD size);
    Start write(HANDLE device, const void* buffer, DWORD size);

    bool valid() const { return static_cast<bool>(event_); }
    bool pending() const { return pending_; }
    HANDLE event() const { return event_.get(); }
    DWORD lastError() const { return error_; }

    struct Result {
        bool complete = false;  // false: still in progress
        bool succeeded = false;
        DWORD bytes = 0;
        DWORD error = 0;  // when it did not succeed
    };
    // The outcome if the operation has ended, without waiting.
    Result poll();
    // Cancels the pending operation and waits until it has ended (it may still have succeeded).
    Result cancelAndFinish();

  private:
    // Resets the OVERLAPPED and its event for a new operation; false while one is pending.
    bool prepare();
    Start started(BOOL ok, HANDLE device);
    Result finish(BOOL wait);

    UniqueHandle event_;
    HANDLE device_ = INVALID_HANDLE_VALUE;
    OVERLAPPED overlapped_{};
    bool pending_ = false;
    DWORD error_ = 0;
};

}  // namespace zelko
