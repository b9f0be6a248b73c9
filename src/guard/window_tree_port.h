#pragma once
// The window tree as the window searches see it: every window below the
// desktop, child by child. Ids are the system's window handles as numbers.
#include <string>

#include "platform/window_port.h"

namespace vallora {

class WindowTreePort {
  public:
    virtual ~WindowTreePort() = default;

    virtual WindowId DesktopWindow() = 0;
    // The first child in the system's order; 0 when there is none.
    virtual WindowId FirstChild(WindowId parent) = 0;
    // The next window with the same parent; 0 after the last.
    virtual WindowId NextSibling(WindowId window) = 0;
    // Class name and title, each read into a 255-character buffer; empty
    // when the window has gone.
    virtual std::string ClassName(WindowId window) = 0;
    virtual std::string Title(WindowId window) = 0;
    // The control id of a child window; 0 for a window without one or gone.
    virtual int ControlId(WindowId window) = 0;
    // Lets the calling thread's pending window messages run; timer events of
    // this program may run inside.
    virtual void ProcessPendingMessages() = 0;
};

}  // namespace vallora
