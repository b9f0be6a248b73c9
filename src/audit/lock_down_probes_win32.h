#pragma once
// The lock-down check's probes inside a running session: synthesised key
// presses to a window of the check, file dialogs opened by a probe program
// while the session's dialog guard runs, write access tried on the files,
// and the Explorer and watchdog processes looked up.
#include <windows.h>

#include <string>

#include "audit/lock_down_check.h"
#include "guard/dialog_watcher_win32.h"

namespace vallora {

inline constexpr const char* kDialogProbeProgram = "ValloraDialogProbe.exe";
// The longest the probe program may take to show its dialog, and the guard
// to act on it once it is there.
inline constexpr DWORD kDialogShowWaitMs = 8000;
inline constexpr DWORD kGuardActWaitMs = 3000;

class SessionProbes final : public LockDownProbePort {
  public:
    // `guard` is the session's guard: the probes look at what it did, while
    // the bar's timer (whose messages the waits let run) drives it.
    SessionProbes(DialogWatcher& guard, std::string programFolder);

    bool KeyReachesWindow(ProbeKey key) override;
    DialogOutcome OpenDialog(ProbeDialog dialog) override;
    bool CanWrite(const std::string& path) override;
    bool ExplorerTaskBarExists() override;
    bool WatchdogRunning(std::uint32_t processId) override;

  private:
    DialogWatcher& guard_;
    std::string programFolder_;
};

}  // namespace vallora
