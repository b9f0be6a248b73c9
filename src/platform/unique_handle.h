#pragma once
// Sole ownership of a system handle: closed exactly once, when the owner goes
// out of scope or is given a new handle. Movable, not copyable.
//
// Deleter is a default-constructible callable that closes a handle. It may
// also provide `static T Null()` when the "no handle" value is not T{} (file
// handles use INVALID_HANDLE_VALUE); the deleter is never called with it.
#include <concepts>
#include <utility>

namespace vallora {

template <typename T, typename Deleter>
class UniqueHandle {
  public:
    using Handle = T;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(T handle) noexcept : handle_(handle) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    static T Null() noexcept {
        if constexpr (requires {
                          { Deleter::Null() } -> std::convertible_to<T>;
                      }) {
            return Deleter::Null();
        } else {
            return T{};
        }
    }

    T get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Null(); }

    // Gives up ownership without closing.
    T release() noexcept { return std::exchange(handle_, Null()); }

    // Closes the owned handle (if any) and takes `handle`.
    void reset(T handle = Null()) noexcept {
        T old = std::exchange(handle_, handle);
        if (old != Null()) Deleter{}(old);
    }

    // Closes the owned handle and returns the slot for an API that hands a
    // new handle back through an out-parameter.
    T* put() noexcept {
        reset();
        return &handle_;
    }

  private:
    T handle_ = Null();
};

}  // namespace vallora
