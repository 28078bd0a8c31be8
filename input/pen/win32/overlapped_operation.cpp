// Overlapped I/O with an event per operation.

#include "pen/win32/overlapped_operation.h"

namespace zelko {

OverlappedOperation::OverlappedOperation() : event_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

OverlappedOperation::~OverlappedOperation() {
    if (pending_) {
        cancelAndFinish();
    }
}

bool OverlappedOperation::prepare() {
    if (pending_ || !valid()) {
        error_ = ERROR_INVALID_FUNCTION;
        return false;
    }
    overlapped_ = OVERLAPPED{};
    overlapped_.hEvent = event_.get();
    ResetEvent(event_.get());
    return true;
}

OverlappedOperation::Start OverlappedOperation::read(HANDLE device, void* buffer, DWORD size) {
    if (!prepare()) {
        return Start::Failed;
    }
    return started(ReadFile(device, buffer, size, nullptr, &overlapped_), device);
}

OverlappedOperation::Start OverlappedOperation::write(HANDLE device, const void* buffer,
                                                      DWORD size) {
    if (!prepare()) {
        return Start::Failed;
    }
    return started(WriteFile(device, buffer, size, nullptr, &overlapped_), device);
}

OverlappedOperation::Start OverlappedOperation::started(BOOL ok, HANDLE device) {
    if (!ok) {
        error_ = GetLastError();
        if (error_ != ERROR_IO_PENDING) {
            return Start::Failed;
        }
    }
    // Completed at once or pending: either way the OVERLAPPED carries the outcome.
    device_ = device;
    pending_ = true;
    error_ = 0;
    return Start::Pending;
}

OverlappedOperation::Result OverlappedOperation::finish(BOOL wait) {
    Result result;
    if (!pending_) {
        result.complete = true;
        result.error = ERROR_INVALID_FUNCTION;
        return result;
    }
    DWORD bytes = 0;
    if (GetOverlappedResult(device_, &overlapped_, &bytes, wait)) {
        result.complete = true;
        result.succeeded = true;
        result.bytes = bytes;
    } else {
        result.error = GetLastError();
        result.complete = result.error != ERROR_IO_INCOMPLETE;
    }
    if (result.complete) {
        pending_ = false;
    }
    return result;
}

OverlappedOperation::Result OverlappedOperation::poll() {
    return finish(FALSE);
}

OverlappedOperation::Result OverlappedOperation::cancelAndFinish() {
    if (pending_) {
        CancelIo(device_);
    }
    return finish(TRUE);
}

}  // namespace zelko
