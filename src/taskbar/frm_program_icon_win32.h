#pragma once
// The program's own icon for the logos of the bar, the prompt and the splash.
#include <windows.h>

namespace vallora {

// The icon resource 1 of the running program (its shell icon) at the given
// size, or the system's application icon when the program has none. Shared:
// never destroyed.
inline HICON ProgramIcon(int size) {
    HANDLE icon = LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1), IMAGE_ICON, size, size,
                             LR_SHARED);
    if (!icon) {
        icon = LoadImageA(nullptr, MAKEINTRESOURCEA(32512), IMAGE_ICON, size, size, LR_SHARED);
    }
    return static_cast<HICON>(icon);
}

}  // namespace vallora
