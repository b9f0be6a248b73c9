#pragma once
// Which key presses the locked desktop swallows: those that open the start
// menu, switch or list tasks, or open the task manager. Decided from the
// key and the state of the modifier keys alone, with nothing allocated, as a
// keyboard hook must.
#include <cstdint>

namespace vallora {

struct KeyPress {
    std::uint32_t virtualKey = 0;
    bool altDown = false;
    bool controlDown = false;
    bool windowsKeyDown = false;  // either Windows key, other than this key
};

// Virtual-key codes of the keys involved.
inline constexpr std::uint32_t kKeyTab = 0x09;
inline constexpr std::uint32_t kKeyEscape = 0x1B;
inline constexpr std::uint32_t kKeyLeftWindows = 0x5B;
inline constexpr std::uint32_t kKeyRightWindows = 0x5C;

// Both Windows keys, alone and in every combination; Ctrl+Esc (also with
// Shift: the task manager); Alt+Tab and Alt+Shift+Tab; Alt+Esc.
constexpr bool IsLockedKey(const KeyPress& key) noexcept {
    if (key.virtualKey == kKeyLeftWindows || key.virtualKey == kKeyRightWindows) return true;
    if (key.windowsKeyDown) return true;
    if (key.virtualKey == kKeyEscape) return key.controlDown || key.altDown;
    if (key.virtualKey == kKeyTab) return key.altDown;
    return false;
}

}  // namespace vallora
