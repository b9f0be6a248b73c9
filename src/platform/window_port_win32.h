#pragma once
// The window port over user32: window ids are the system's window handles.
#include <windows.h>

#include "platform/window_port.h"

namespace vallora {

inline WindowId ToWindowId(HWND window) {
    return reinterpret_cast<WindowId>(window);
}
inline HWND ToHwnd(WindowId window) {
    return reinterpret_cast<HWND>(window);
}
inline IconId ToIconId(HICON icon) {
    return reinterpret_cast<IconId>(icon);
}
inline HICON ToHicon(IconId icon) {
    return reinterpret_cast<HICON>(icon);
}

// Stateless: any number of instances may be made where one is needed.
class Win32WindowPort final : public WindowPort {
  public:
    WindowId TopWindow() override;
    WindowId NextWindow(WindowId window) override;
    bool Exists(WindowId window) override;
    bool IsVisible(WindowId window) override;
    bool IsMinimized(WindowId window) override;
    WindowId Parent(WindowId window) override;
    WindowId Owner(WindowId window) override;
    std::uint32_t ExtendedStyle(WindowId window) override;
    std::string ClassName(WindowId window) override;
    void Title(WindowId window, std::string& title) override;
    std::uint32_t ProcessId(WindowId window) override;
    std::optional<std::size_t> SendTextLength(WindowId window, std::uint32_t timeoutMs) override;
    bool SendGetText(WindowId window, std::size_t length, std::uint32_t timeoutMs) override;
    std::optional<IconId> SendGetIcon(WindowId window, IconSize size,
                                      std::uint32_t timeoutMs) override;
    bool SendNull(WindowId window, std::uint32_t timeoutMs) override;
    IconId ClassIcon(WindowId window, IconSize size) override;
    IconId LoadSystemIcon(SystemIcon icon) override;
    void Show(WindowId window, ShowCommand command) override;
    bool SetForeground(WindowId window) override;
    WindowId Foreground() override;
    bool Post(WindowId window, PostedMessage message) override;
    bool SetZOrder(WindowId window, ZOrder order) override;
    void ProcessPendingMessages() override;
    int ScreenWidth() override;
    int ScreenHeight() override;
    bool SetWorkArea(const ScreenRect& area) override;
};

// Makes one of this program's windows the foreground window with the
// keyboard, also when another program's window is in front: the system
// refuses that to a program in the background unless it shares the input of
// the foreground window's thread for the moment.
void TakeForeground(HWND window);

// Runs the calling thread's pending messages, as a long operation does to
// keep its windows alive. A WM_QUIT found on the way is put back for the
// message loop.
void ProcessPendingMessages();

}  // namespace vallora
