#pragma once
// Keeps the keyboard focus across a modal dialog or message box: the control
// that had the focus gets it back once the dialog has closed, so that Enter,
// Delete and the editing keys reach it again. Left alone, the system gives
// the focus to the reactivated window itself, or to no window at all when
// the dialog disabled its owner.
#include <windows.h>

namespace vallora {

class FocusKeeper {
  public:
    FocusKeeper() : focus_(GetFocus()) {}
    ~FocusKeeper() {
        // Only into a window that is active again: the person may have gone
        // to another program meanwhile, and the focus must not pull it back.
        if (!focus_ || !IsWindow(focus_) || GetFocus() == focus_) return;
        if (GetActiveWindow() != GetAncestor(focus_, GA_ROOT)) return;
        if (IsWindowVisible(focus_) && IsWindowEnabled(focus_)) SetFocus(focus_);
    }
    FocusKeeper(const FocusKeeper&) = delete;
    FocusKeeper& operator=(const FocusKeeper&) = delete;

  private:
    HWND focus_;
};

}  // namespace vallora
