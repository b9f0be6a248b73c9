#pragma once
// The watchdog's system side: probes with SendMessageTimeout, waits that keep
// the message loop answering, process ends and the runtime's start.
#include <windows.h>

#include <string>

#include "watchdog/session_check.h"

namespace vallora {

class Win32WatchdogSystem final : public WatchdogSystem {
  public:
    // `programFolder`: the folder of Vallora.exe, without a trailing backslash.
    explicit Win32WatchdogSystem(std::string programFolder);

    bool ProbeWindow(std::uintptr_t window, std::uint32_t timeoutMs) override;
    // Runs the thread's messages while it waits, so the program can still be
    // closed; false once a WM_QUIT has been seen (it is posted again for the
    // message loop).
    bool Wait(std::uint32_t milliseconds) override;
    bool EndProcessRunning(std::uint32_t processId, std::string_view programFile) override;
    bool StartRuntime(const std::string& definitionPath) override;
    bool IsSessionWindow(std::uintptr_t window) override;

  private:
    std::string programFolder_;
    bool quitSeen_ = false;
};

// The folder of the running program file, without a trailing backslash.
std::string RunningProgramFolder();

}  // namespace vallora
