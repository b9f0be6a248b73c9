#pragma once
// The hourglass for the duration of a long operation, then the cursor that
// was there before (the arrow when there was none).
#include <windows.h>

namespace vallora {

class WaitCursor {
  public:
    WaitCursor() : previous_(SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)))) {}
    ~WaitCursor() {
        SetCursor(previous_ ? previous_
                            : LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

  private:
    HCURSOR previous_;
};

}  // namespace vallora
