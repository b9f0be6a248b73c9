#include "runtime/locked_keys.h"

#include <gtest/gtest.h>

namespace vallora {
namespace {

TEST(LockedKeys, TheSessionKeysAndNoOthers) {
    constexpr std::uint32_t kA = 'A';
    constexpr std::uint32_t kF4 = 0x73;
    constexpr std::uint32_t kShift = 0x10;
    struct Case {
        KeyPress key;
        bool locked;
    };
    const Case cases[] = {
        {{kKeyLeftWindows}, true},
        {{kKeyRightWindows, false, true}, true},
        {{kA, false, false, true}, true},  // Win+A, and every other Windows-key combination
        {{kKeyTab, false, false, true}, true},
        {{kKeyEscape, false, true}, true},  // Ctrl+Esc, Ctrl+Shift+Esc
        {{kKeyEscape, true}, true},         // Alt+Esc
        {{kKeyTab, true}, true},            // Alt+Tab, Alt+Shift+Tab
        {{kKeyEscape}, false},
        {{kKeyTab}, false},
        {{kKeyTab, false, true}, false},  // Ctrl+Tab moves between a program's pages
        {{kA}, false},
        {{kA, true, true}, false},
        {{kF4, true}, false},  // Alt+F4 closes a program's own window
        {{kShift}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsLockedKey(c.key), c.locked)
            << c.key.virtualKey << " alt " << c.key.altDown << " ctrl " << c.key.controlDown
            << " win " << c.key.windowsKeyDown;
    }
}

}  // namespace
}  // namespace vallora
