// The keyboard lock's cost on real key presses: the time 40 keys typed
// through the X server take to reach a window, without and with the lock's
// hook, in one run; and one check of the password against its hash.
//   wine build/<cfg>/bench/keyboard_lock_timing_win32.exe
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "runtime/keyboard_lock_win32.h"
#include "storage/password_hash.h"
#include "win/taskbar/test_processes_win32.h"

namespace {

constexpr int kKeys = 40;
int received = 0;

LRESULT CALLBACK CountKeys(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CHAR) ++received;
    return DefWindowProcA(window, msg, wParam, lParam);
}

// Milliseconds from the start of the typing to the last key's arrival.
double TypeAndWait(HWND window) {
    received = 0;
    SetForegroundWindow(window);
    SetFocus(window);
    const auto start = std::chrono::steady_clock::now();
    vallora::testing::PressKeys("type --delay 0 " + std::string(kKeys, 'k'), [](auto done) {
        return vallora::testing::WaitUntil(
            [&] {
                MSG msg{};
                while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                    TranslateMessage(&msg);
                    DispatchMessageA(&msg);
                }
                return done() && received >= kKeys;
            },
            20000);
    });
    const std::chrono::duration<double, std::milli> spent =
        std::chrono::steady_clock::now() - start;
    return spent.count();
}

}  // namespace

int main() {
    WNDCLASSA type{};
    type.lpfnWndProc = CountKeys;
    type.hInstance = GetModuleHandleA(nullptr);
    type.lpszClassName = "KeyTiming";
    RegisterClassA(&type);
    // Over the middle of the screen, where the pointer rests: without a
    // window manager the keys go to the window under it.
    const HWND window = CreateWindowExA(
        0, "KeyTiming", "keys", WS_POPUP | WS_VISIBLE, 0, 0, GetSystemMetrics(SM_CXSCREEN),
        GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, type.hInstance, nullptr);
    TypeAndWait(window);  // warms up the tool and the input path
    double without = 0;
    double with = 0;
    for (int round = 0; round < 3; ++round) {
        without += TypeAndWait(window);
        vallora::KeyboardLock lock;
        lock.Start();
        with += TypeAndWait(window);
        lock.Stop();
    }
    std::printf(
        "%d typed keys to the window: %.0f ms without the lock, %.0f ms with it (ratio %.2f)\n",
        kKeys, without / 3, with / 3, with / without);

    const std::string hash = vallora::HashPassword("Kiosk password");
    const auto start = std::chrono::steady_clock::now();
    const bool right = vallora::VerifyPassword("Kiosk password", hash);
    const std::chrono::duration<double, std::milli> spent =
        std::chrono::steady_clock::now() - start;
    std::printf("password check against its hash (%u iterations): %.0f ms (%s)\n",
                vallora::kPasswordHashIterations, spent.count(), right ? "right" : "WRONG");
    DestroyWindow(window);
    return 0;
}
