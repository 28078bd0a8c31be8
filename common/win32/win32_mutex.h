#pragma once
// An unnamed Win32 mutex (re-entrant for its owning thread) and a scoped lock for it.

#include <windows.h>

#include "common/win32/unique_handle.h"

namespace zelko {

class Win32Mutex {
  public:
    Win32Mutex() : handle_(CreateMutexW(nullptr, FALSE, nullptr)) {}
    Win32Mutex(const Win32Mutex&) = delete;
    Win32Mutex& operator=(const Win32Mutex&) = delete;

    void lock() { WaitForSingleObject(handle_.get(), INFINITE); }
    void unlock() { ReleaseMutex(handle_.get()); }
    HANDLE handle() const { return handle_.get(); }

  private:
    UniqueHandle handle_;
};

class MutexLock {
  public:
    explicit MutexLock(Win32Mutex& mutex) : mutex_(mutex) { mutex_.lock(); }
    MutexLock(const MutexLock&) = delete;
    MutexLock& operator=(const MutexLock&) = delete;
    ~MutexLock() { mutex_.unlock(); }

  private:
    Win32Mutex& mutex_;
};

}  // namespace zelko
