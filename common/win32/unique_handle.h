#pragma once
// RAII holders for kernel handles.

#include <windows.h>

#include <utility>

namespace zelko {

// Owns a kernel handle; `Invalid` is the value that means "none" for this kind of handle.
template <HANDLE (*InvalidValue)()>
class BasicUniqueHandle {
  public:
    BasicUniqueHandle() = default;
    explicit BasicUniqueHandle(HANDLE handle) : handle_(handle) {}
    BasicUniqueHandle(const BasicUniqueHandle&) = delete;
    BasicUniqueHandle& operator=(const BasicUniqueHandle&) = delete;
    BasicUniqueHandle(BasicUniqueHandle&& other) noexcept : handle_(other.release()) {}
    BasicUniqueHandle& operator=(BasicUniqueHandle&& other) noexcept {
        reset(other.release());
        return *this;
    }
    ~BasicUniqueHandle() { reset(); }

    HANDLE get() const { return handle_; }
    explicit operator bool() const { return handle_ != InvalidValue(); }
    HANDLE release() { return std::exchange(handle_, InvalidValue()); }
    void reset(HANDLE handle = InvalidValue()) {
        if (handle_ != InvalidValue() && handle_ != nullptr) {
            CloseHandle(handle_);
        }
        handle_ = handle;
    }

  private:
    HANDLE handle_ = InvalidValue();
};

inline HANDLE nullHandleValue() {
    return nullptr;
}
inline HANDLE invalidHandleValue() {
    return INVALID_HANDLE_VALUE;
}

// Handles of mutexes, events, threads and processes: null means none.
using UniqueHandle = BasicUniqueHandle<nullHandleValue>;
// Handles of files and devices: INVALID_HANDLE_VALUE means none.
using UniqueFileHandle = BasicUniqueHandle<invalidHandleValue>;

}  // namespace zelko
