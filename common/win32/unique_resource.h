#pragma once
// RAII holder for a Win32 handle of any kind: closed when the holder goes. `Traits` gives the
// handle type, the value that means "none" and how a handle is closed.

#include <utility>

namespace zelko {

template <class Traits>
class UniqueResource {
  public:
    using Handle = typename Traits::Handle;

    UniqueResource() = default;
    explicit UniqueResource(Handle handle) : handle_(handle) {}
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;
    UniqueResource(UniqueResource&& other) noexcept : handle_(other.release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        reset(other.release());
        return *this;
    }
    ~UniqueResource() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::none(); }
    Handle release() { return std::exchange(handle_, Traits::none()); }
    void reset(Handle handle = Traits::none()) {
        if (Traits::isOpen(handle_)) {
            Traits::close(handle_);
        }
        handle_ = handle;
    }
    // For the functions that hand out a handle through a pointer; the held one is closed first.
    Handle* put() {
        reset();
        return &handle_;
    }

  private:
    Handle handle_ = Traits::none();
};

}  // namespace zelko
