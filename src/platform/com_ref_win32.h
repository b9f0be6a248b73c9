#pragma once
// RAII for COM: one reference of an interface, and COM initialised on the
// calling thread for a scope.
#include <objbase.h>

namespace vallora {

// Owns one reference of a COM interface.
template <typename T>
class ComRef {
  public:
    ComRef() = default;
    ~ComRef() {
        if (p_) p_->Release();
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    T** put() {
        if (p_) p_->Release();
        p_ = nullptr;
        return &p_;
    }
    explicit operator bool() const { return p_ != nullptr; }

  private:
    T* p_ = nullptr;
};

// COM on this thread, balanced at scope end; a thread already in another
// apartment model keeps it.
class ComScope {
  public:
    ComScope() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComScope() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

  private:
    HRESULT result_;
};

}  // namespace vallora
