#pragma once
// frmIdleWarning: the always-on-top notice that a desktop left alone is about
// to be reset, with the seconds left and a "Continue" button. It has no timer
// of its own: the task bar's one-second tick shows it with the seconds left
// and closes it when input came. It never takes the focus, so whatever a
// person types while it shows still goes where it went.
#include <functional>
#include <string>

#include "language/language.h"
#include "platform/form_win32.h"

namespace vallora {

class frmIdleWarning : public Form {
  public:
    // continued: the person pressed "Continue".
    frmIdleWarning(const Language& language, std::function<void()> continued);

    // Opens the notice or updates the open one.
    void Show(int secondsLeft);
    void Unload();

    bool IsOpen() const { return Hwnd() != nullptr; }

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    bool Load();

    const Language& language_;
    std::function<void()> continued_;
};

}  // namespace vallora
