#pragma once
// frmFunctionBlocked: the small always-on-top notice that the action just
// tried is not allowed. It counts down from 30 in its title and closes itself
// on the tick that finds 0, or at once on OK. One instance serves the whole
// run: closing destroys its window, showing it again makes a new one.
#include <string>

#include "language/language.h"
#include "platform/form_win32.h"
#include "platform/window_messages.h"
#include "taskbar/frm_pass_word_countdown.h"

namespace vallora {

class frmFunctionBlocked : public Form {
  public:
    static constexpr UINT_PTR kTimer = kTimerGuardBase + 1;
    static constexpr int kTimerMs = 1000;

    explicit frmFunctionBlocked(const Language& language);

    // Opens the notice with a new count-down, or brings the open one to the
    // front with its count-down going on.
    void Show();
    // Starts the count-down at 30 seconds.
    void Initialize();

    bool IsOpen() const { return Hwnd() != nullptr; }
    int CountDown() const { return countDown_.Remaining(); }

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    bool Load();
    void Unload();
    LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
    void OnTimer();
    LRESULT OnCommand(UINT id);

    const Language& language_;
    PasswordCountdown countDown_;
};

}  // namespace vallora
