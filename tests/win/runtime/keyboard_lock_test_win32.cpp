#include "runtime/keyboard_lock_win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "win/taskbar/test_processes_win32.h"

namespace vallora {
namespace {

// The keys that reached the window in front, as its key-down messages.
std::vector<WPARAM> seen;

LRESULT CALLBACK RecordKeys(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) {
        seen.push_back(wParam);
        return 0;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

class KeyboardLockTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WNDCLASSA type{};
        type.lpfnWndProc = RecordKeys;
        type.hInstance = GetModuleHandleA(nullptr);
        type.lpszClassName = "KeyRecorder";
        RegisterClassA(&type);
        // Over the middle of the screen, where the pointer rests: without a
        // window manager the keys go to the window under it.
        window_ = CreateWindowExA(0, "KeyRecorder", "keys", WS_POPUP | WS_VISIBLE, 0, 0,
                                  GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN) - 40,
                                  nullptr, nullptr, type.hInstance, nullptr);
        ASSERT_NE(window_, nullptr);
        SetForegroundWindow(window_);
        SetFocus(window_);
    }
    void TearDown() override { DestroyWindow(window_); }

    // Presses the keys for real and returns the key-downs the window got.
    std::vector<WPARAM> Press(const std::string& keys) {
        seen.clear();
        const std::string middle = std::to_string(GetSystemMetrics(SM_CXSCREEN) / 2) + " " +
                                   std::to_string(GetSystemMetrics(SM_CYSCREEN) / 2);
        EXPECT_TRUE(
            testing::PressKeys("mousemove " + middle + " key --delay 30 " + keys, [](auto done) {
                return testing::WaitUntil(
                    [&] {
                        MSG msg{};
                        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
                        return done();
                    },
                    10000);
            }));
        return seen;
    }
    static bool Has(const std::vector<WPARAM>& keys, WPARAM key) {
        return std::find(keys.begin(), keys.end(), key) != keys.end();
    }

  private:
    HWND window_ = nullptr;
};

TEST_F(KeyboardLockTest, SwallowsTheSessionKeysKeepsTheOthersAndLetsAllGoWhenStopped) {
    KeyboardLock lock;
    ASSERT_TRUE(lock.Start());
    EXPECT_TRUE(lock.Start());  // a second start keeps the one hook
    const auto locked =
        Press("ctrl+Escape super alt+Tab alt+shift+Tab alt+Escape a shift+b Escape");
    for (const WPARAM key : {VK_LWIN, VK_TAB}) EXPECT_FALSE(Has(locked, key)) << key;
    // Esc alone is an ordinary key; with Ctrl or Alt it is swallowed.
    EXPECT_EQ(std::count(locked.begin(), locked.end(), VK_ESCAPE), 1);
    EXPECT_TRUE(Has(locked, 'A'));
    EXPECT_TRUE(Has(locked, 'B'));

    lock.Stop();
    EXPECT_FALSE(lock.IsOn());
    const auto free = Press("ctrl+Escape super alt+Tab");
    for (const WPARAM key : {VK_ESCAPE, VK_LWIN, VK_TAB}) EXPECT_TRUE(Has(free, key)) << key;
}

}  // namespace
}  // namespace vallora
