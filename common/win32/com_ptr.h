#pragma once
// RAII holder for a COM interface pointer: released when the holder goes.

#include <windows.h>
#include <unknwn.h>

#include <utility>

namespace zelko {

template <class Interface>
class ComPtr {
  public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        reset(std::exchange(other.pointer_, nullptr));
        return *this;
    }
    ~ComPtr() { reset(); }

    Interface* get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    // For the functions that hand out an interface through an out parameter.
    Interface** put() {
        reset();
        return &pointer_;
    }
    void** putVoid() { return reinterpret_cast<void**>(put()); }
    void reset(Interface* pointer = nullptr) {
        if (pointer_) {
            pointer_->Release();
        }
        pointer_ = pointer;
    }

    // Asks the object for another of its interfaces.
    template <class Other>
    HRESULT queryInterface(ComPtr<Other>& other) const {
        return pointer_ ? pointer_->QueryInterface(__uuidof(Other), other.putVoid()) : E_POINTER;
    }

  private:
    Interface* pointer_ = nullptr;
};

// COM on the calling thread, in a single-threaded apartment, for the holder's lifetime.
class ComApartment {
  public:
    ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (SUCCEEDED(result_)) {
            CoUninitialize();
        }
    }

  private:
    HRESULT result_;
};

}  // namespace zelko
