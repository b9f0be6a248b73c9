#pragma once
// The window tree over user32: window ids are the system's window handles.
#include "guard/window_tree_port.h"
#include "platform/window_port_win32.h"

namespace vallora {

// Stateless: any number of instances may be made where one is needed.
class Win32WindowTree final : public WindowTreePort {
  public:
    WindowId DesktopWindow() override { return ToWindowId(GetDesktopWindow()); }
    WindowId FirstChild(WindowId parent) override {
        return ToWindowId(GetWindow(ToHwnd(parent), GW_CHILD));
    }
    WindowId NextSibling(WindowId window) override { return windows_.NextWindow(window); }
    std::string ClassName(WindowId window) override { return windows_.ClassName(window); }
    std::string Title(WindowId window) override {
        std::string title;
        windows_.Title(window, title);
        return title;
    }
    int ControlId(WindowId window) override { return GetDlgCtrlID(ToHwnd(window)); }
    void ProcessPendingMessages() override { vallora::ProcessPendingMessages(); }

  private:
    Win32WindowPort windows_;
};

}  // namespace vallora
