#pragma once
// Operations on single windows and on the screen that the task bar, its
// menus and the desktop's other windows share.
#include "platform/window_port.h"

namespace vallora {

// Keeps the window above all others (or lets it go), leaving its place and
// size alone. Pending messages run before and after.
void SetTopMost(WindowPort& windows, WindowId window, bool onTop);
// Puts the window at the bottom of the Z-order without activating it.
void SendToBottom(WindowPort& windows, WindowId window);

// Saves the full screen size in pixels (the program-wide screen size) and
// takes the task bar's strip at the bottom out of the work area.
void ReserveWorkArea(WindowPort& windows, int& screenWidth, int& screenHeight);
// Gives the whole saved screen back; with no size saved, changes nothing.
void ReleaseWorkArea(WindowPort& windows, int screenWidth, int screenHeight);

}  // namespace vallora
