#pragma once
// What the task bar, its menus and its password prompt ask of the running
// desktop session. The session (start-up and session control) implements it;
// tests put a fake in its place.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/audit_event.h"
#include "platform/window_port.h"
#include "taskbar/idle_reset.h"

namespace vallora {

class TaskBarSession {
  public:
    virtual ~TaskBarSession() = default;

    // Set-up of the bar: takes the bar's strip out of the work area, and
    // applies the definition's restrictions.
    virtual void ReserveWorkArea() = 0;
    virtual void ApplyComputerSecurity() = 0;

    // The one-second tick: the desktop page comes back when it has gone, and
    // the browser's start page is written again.
    virtual void RestartPageIfGone() = 0;
    virtual void SetBrowserStartPage() = 0;
    // The 100 ms tick: the dialog guard.
    virtual void WatchDialogs() = 0;
    // The window of the desktop page, which the 10 ms tick keeps at the bottom.
    virtual WindowId PageWindow() const = 0;

    // The about window, modally.
    virtual void ShowAbout(WindowId owner) = 0;

    // The administrator password of the definition (or its hash, which is
    // then what counts), and the guarded actions it unlocks: ending the
    // session (does not return), loading a chosen desktop page, and showing
    // the running definition.
    virtual std::string AdminPassword() const = 0;
    virtual std::string AdminPasswordHash() const = 0;
    virtual void EndSession() = 0;
    // Windows logs off or shuts down: the restrictions are reset, no question asked.
    virtual void EndForWindowsLogOff() = 0;
    virtual void LaunchChosenDesktop(WindowId owner) = 0;
    // Shows the running definition modally, owned by the task bar `owner`.
    virtual void ShowRunningDefinition(WindowId owner) = 0;
    // Checks the session's lock-down and shows the report over the owner.
    virtual void CheckLockDown(WindowId owner) = 0;

    // The idle reset: the definition's times (checked on every tick), the
    // processes it never ends (Vallora's own, its page, the watchdog), and
    // the clean desktop once the task programs have gone.
    virtual IdleTimes IdleResetTimes() const = 0;
    virtual bool IsSessionProcess(std::uint32_t processId,
                                  const std::string& programPath) const = 0;
    virtual void ResetDesktop() = 0;

    // One event of the audit trail: a line of the session log and an entry
    // of the system's event log.
    virtual void Audit(AuditEvent event, std::string_view details) = 0;
};

}  // namespace vallora
