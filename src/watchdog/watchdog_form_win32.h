#pragma once
// ValloraRun's only form: a hidden window whose one-second timer checks the
// desktop session. Destroying it ends the program. A restart goes to the
// audit trail.
#include <windows.h>

#include "platform/audit_log_win32.h"
#include "platform/form_win32.h"
#include "watchdog/session_check.h"

namespace vallora {

class Settings;

namespace watchdog {

class frmMain final : public Form {
  public:
    frmMain(Settings& settings, WatchdogSystem& system, const AuditLog& audit);

    // Creates the window (never shown) and starts TimerSeconds.
    bool Load();

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    LRESULT OnTimer(UINT_PTR timerId);
    LRESULT OnDestroy();
    void TimerSeconds();

    Settings& settings_;
    WatchdogSystem& system_;
    const AuditLog& audit_;
    SessionWatch watch_;
    // A check lets messages run while it waits; ticks that arrive then are dropped.
    bool checking_ = false;
};

}  // namespace watchdog
}  // namespace vallora
