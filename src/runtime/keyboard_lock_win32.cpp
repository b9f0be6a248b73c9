#include "runtime/keyboard_lock_win32.h"

#include "platform/win32_handles_win32.h"
#include "runtime/locked_keys.h"

namespace vallora {

namespace {

bool IsDown(int key) {
    return (GetAsyncKeyState(key) & 0x8000) != 0;
}

LRESULT CALLBACK LowLevelKeyboard(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        const KeyPress key{.virtualKey = event->vkCode,
                           // Not every system sets the event's Alt flag.
                           .altDown = (event->flags & LLKHF_ALTDOWN) != 0 || IsDown(VK_MENU),
                           .controlDown = IsDown(VK_CONTROL),
                           .windowsKeyDown = IsDown(VK_LWIN) || IsDown(VK_RWIN)};
        // Key-up events go too, so no program sees half a combination.
        if (IsLockedKey(key)) return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

bool KeyboardLock::Start() {
    if (IsOn()) return true;
    const UniqueKernelHandle ready(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!ready) return false;
    bool installed = false;
    thread_ = std::thread([this, ready = ready.get(), &installed] {
        threadId_ = GetCurrentThreadId();
        HHOOK hook =
            SetWindowsHookExA(WH_KEYBOARD_LL, LowLevelKeyboard, GetModuleHandleA(nullptr), 0);
        installed = hook != nullptr;
        // The message queue exists before Start returns, so Stop's quit
        // message cannot be lost.
        MSG msg{};
        PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
        SetEvent(ready);
        if (!hook) return;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
        UnhookWindowsHookEx(hook);
    });
    WaitForSingleObject(ready.get(), INFINITE);
    if (!installed) {
        thread_.join();
        return false;
    }
    return true;
}

void KeyboardLock::Stop() {
    if (!IsOn()) return;
    PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
    thread_.join();
}

}  // namespace vallora
