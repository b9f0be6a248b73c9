#include "taskbar/window_operations.h"

#include "taskbar/frm_task_bar_layout.h"

namespace vallora {

void SetTopMost(WindowPort& windows, WindowId window, bool onTop) {
    windows.ProcessPendingMessages();
    windows.SetZOrder(window, onTop ? ZOrder::TopMost : ZOrder::NoTopMost);
    windows.ProcessPendingMessages();
}

void SendToBottom(WindowPort& windows, WindowId window) {
    windows.ProcessPendingMessages();
    windows.SetZOrder(window, ZOrder::Bottom);
    windows.ProcessPendingMessages();
}

void ReserveWorkArea(WindowPort& windows, int& screenWidth, int& screenHeight) {
    screenWidth = windows.ScreenWidth();
    screenHeight = windows.ScreenHeight();
    windows.SetWorkArea({0, 0, screenWidth, screenHeight - kTaskBarHeightPixels});
}

void ReleaseWorkArea(WindowPort& windows, int screenWidth, int screenHeight) {
    // An empty work area would leave maximised windows nowhere to go.
    if (screenWidth == 0 && screenHeight == 0) return;
    windows.SetWorkArea({0, 0, screenWidth, screenHeight});
}

}  // namespace vallora
