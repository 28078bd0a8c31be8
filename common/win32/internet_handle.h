#pragma once
// RAII holder for WinINet handles (sessions, connections, requests).

#include <windows.h>
#include <wininet.h>

#include <utility>

namespace zelko {

class InternetHandle {
  public:
    InternetHandle() = default;
    explicit InternetHandle(HINTERNET handle) : handle_(handle) {}
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
    InternetHandle(InternetHandle&& other) noexcept : handle_(other.release()) {}
    InternetHandle& operator=(InternetHandle&& other) noexcept {
        reset(other.release());
        return *this;
    }
    ~InternetHandle() { reset(); }

    HINTERNET get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    HINTERNET release() { return std::exchange(handle_, nullptr); }
    void reset(HINTERNET handle = nullptr) {
        if (handle_) {
            InternetCloseHandle(handle_);
        }
        handle_ = handle;
    }

  private:
    HINTERNET handle_ = nullptr;
};

}  // namespace zelko
