#pragma once
// The keyboard lock of a desktop session: a low-level keyboard hook that
// swallows the keys IsLockedKey names, for real and injected input alike.
// The hook runs on a thread of its own with its own message loop, because
// the system silently removes a low-level hook whose callback answers late,
// and the bar's thread waits in places. Ctrl+Alt+Del and Win+L never reach
// a hook.
#include <windows.h>

#include <thread>

namespace vallora {

class KeyboardLock {
  public:
    KeyboardLock() = default;
    ~KeyboardLock() { Stop(); }
    KeyboardLock(const KeyboardLock&) = delete;
    KeyboardLock& operator=(const KeyboardLock&) = delete;

    // Installs the hook unless it is in place; true once it is.
    bool Start();
    // Removes the hook and ends its thread; nothing when it is not in place.
    void Stop();
    bool IsOn() const { return thread_.joinable(); }

  private:
    std::thread thread_;
    DWORD threadId_ = 0;
};

}  // namespace vallora
