#pragma once
// The idle reset as the task bar runs it on its one-second tick: the
// system's last-input time decides; the warning shows during the last
// seconds; the reset asks every task window to close, ends after 5 seconds
// the processes that stayed, and then hands over to the session for the clean
// desktop. The wait is a state across ticks, so the bar never stops.
#include <windows.h>

#include <vector>

#include "language/language.h"
#include "platform/win32_handles_win32.h"
#include "taskbar/frm_idle_warning_win32.h"
#include "taskbar/frm_task_bar_session.h"
#include "taskbar/idle_reset.h"
#include "taskbar/task_operations.h"

namespace vallora {

// How long the task programs have to close before they are ended.
inline constexpr DWORD kIdleResetCloseWaitMs = 5000;

class IdleResetter {
  public:
    IdleResetter(TaskBarSession& session, const Language& language);

    // One tick of the bar, with its current task table.
    void Tick(const TaskContext& context);

  private:
    void BeginReset(const TaskContext& context);
    // True once the programs have gone or the wait is over, ending those left.
    bool ProgramsGone();

    TaskBarSession& session_;
    frmIdleWarning warning_;
    IdleWatch watch_;
    bool closing_ = false;
    bool inTick_ = false;
    ULONGLONG closeDeadline_ = 0;
    bool stayersEnded_ = false;
    // Processes of the closed windows that may be ended, held open so that
    // the id cannot pass to another process meanwhile.
    std::vector<UniqueKernelHandle> closingProcesses_;
};

}  // namespace vallora
