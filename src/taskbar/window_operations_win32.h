#pragma once
// The window operations for callers that hold system window handles (the
// task bar, the password prompt, the splash window, the dialogs).
#include <windows.h>

#include "platform/window_port_win32.h"
#include "taskbar/window_operations.h"

namespace vallora {

inline void SetTopMost(HWND window, bool onTop) {
    Win32WindowPort windows;
    SetTopMost(windows, ToWindowId(window), onTop);
}

inline void SendToBottom(HWND window) {
    Win32WindowPort windows;
    SendToBottom(windows, ToWindowId(window));
}

inline void ReserveWorkArea(int& screenWidth, int& screenHeight) {
    Win32WindowPort windows;
    ReserveWorkArea(windows, screenWidth, screenHeight);
}

inline void ReleaseWorkArea(int screenWidth, int screenHeight) {
    Win32WindowPort windows;
    ReleaseWorkArea(windows, screenWidth, screenHeight);
}

}  // namespace vallora
