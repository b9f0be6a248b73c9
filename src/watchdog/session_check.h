#pragma once
// The watchdog's check of a desktop session: is the session's task bar still
// answering, and if not, end the session's processes and start the desktop
// again from the same definition.
#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/command_line.h"
#include "runtime/session_record.h"

namespace vallora {

class Settings;

inline constexpr std::uint32_t kProbeTimeoutMs = 1000;
inline constexpr std::uint32_t kProbeRetryWaitMs = 3000;
inline constexpr int kProbeCount = 4;
inline constexpr std::uint32_t kCheckIntervalMs = 1000;
// Program files the recorded process ids must still run before they are
// ended (with kRuntimeProgramFile).
inline constexpr std::string_view kPageHostProgramFile = "mshta.exe";
// The page program a definition can ask for instead of the HTA host.
inline constexpr std::string_view kBuiltInPageProgramFile = "ValloraPage.exe";

// What the check needs from the system.
class WatchdogSystem {
  public:
    virtual ~WatchdogSystem() = default;
    // Sends an empty message to the window; true when it was answered in time.
    virtual bool ProbeWindow(std::uintptr_t window, std::uint32_t timeoutMs) = 0;
    // Waits (0: only looks); false when the watchdog has been asked to end.
    virtual bool Wait(std::uint32_t milliseconds) = 0;
    // Ends the process only while it still runs the named program file
    // (compared without regard to case), so a reused id is never ended.
    virtual bool EndProcessRunning(std::uint32_t processId, std::string_view programFile) = 0;
    // Starts the desktop runtime with the definition path as its whole tail.
    virtual bool StartRuntime(const std::string& definitionPath) = 0;
    // Whether the window exists and belongs to a process running the runtime.
    virtual bool IsSessionWindow(std::uintptr_t window) = 0;
};

enum class CheckOutcome {
    NoSession,    // no usable record: nothing done
    Answering,    // the last probe was answered
    Interrupted,  // asked to end while checking: nothing ended
    Restarted,    // processes ended and the runtime started: the watchdog ends
};

// A record names a session only with a task bar window and a definition.
bool IsUsableSessionRecord(const SessionRecord& record);

// Probes the task bar window four times, waiting after each of the first
// three that fails; only the fourth decides. On failure ends the recorded
// runtime and page process (the HTA host or the built-in page program) and
// starts the runtime again.
CheckOutcome CheckSession(const SessionRecord& record, WatchdogSystem& system);

// The watchdog's view over its ticks. The record watched is HKLM's, or
// HKCU's when HKLM has none that is live. A record whose window is not a live
// window of the runtime is a session that ended ("Hwnd" = "0", or a stale
// record left by a session that could not write its own): nothing to watch,
// unless this watchdog saw that very window live before, when the session
// has crashed and is started again.
class SessionWatch {
  public:
    CheckOutcome Check(Settings& settings, WatchdogSystem& system);
    // The definition of the session the last check restarted; empty before.
    const std::string& RestartedFile() const { return restartedFile_; }

  private:
    std::uintptr_t seen_ = 0;
    std::string restartedFile_;
};

}  // namespace vallora
