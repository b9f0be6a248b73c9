#pragma once
// When a desktop left alone is reset: the decision from the system's
// last-input time, taken on the task bar's one-second tick, and which task
// windows the reset closes. Times are the system's 32-bit millisecond tick
// count, which wraps after about 49.7 days; every difference is taken modulo
// 2^32 so that the wrap changes nothing.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/window_port.h"
#include "taskbar/task_table.h"

namespace vallora {

struct IdleTimes {
    int resetSeconds = 0;  // 0: never
    int warningSeconds = 30;
};

enum class IdlePhase { Active, Warning, Due };

struct IdleDecision {
    IdlePhase phase = IdlePhase::Active;
    int secondsLeft = 0;  // until the reset, rounded up; 0 unless Warning

    bool operator==(const IdleDecision&) const = default;
};

// The warning never takes more than half of the idle time, so that a
// warning as long as the idle time does not show at the first quiet second.
int WarningSeconds(const IdleTimes& times);

// The phase after the last input at lastInputTick, seen at nowTick. A last
// input "after" now (the system updated it between the two readings) is no
// idle time at all.
IdleDecision DecideIdle(std::uint32_t lastInputTick, std::uint32_t nowTick, const IdleTimes& times);

// The decision across ticks: one reset per quiet spell (a desktop nobody
// touches is not reset again and again), and "Continue" in the warning
// counts as input even when it came without any.
class IdleWatch {
  public:
    IdleDecision Tick(std::uint32_t lastInputTick, std::uint32_t nowTick, const IdleTimes& times);
    // The person answered the warning.
    void Continue(std::uint32_t nowTick) {
        continued_ = true;
        continuedTick_ = nowTick;
    }

  private:
    // The later of the two ticks, as seen from now.
    static std::uint32_t Later(std::uint32_t a, std::uint32_t b, std::uint32_t now);

    bool continued_ = false;
    std::uint32_t continuedTick_ = 0;
    bool resetDone_ = false;
    std::uint32_t resetForInput_ = 0;  // the last input the reset was made for
};

struct ResetTarget {
    WindowId window = 0;
    std::uint32_t processId = 0;
    bool mayEnd = true;  // the process is ended when it stays

    bool operator==(const ResetTarget&) const = default;
};

// The task windows the reset asks to close: every task but the bar itself
// and the windows of the processes the session keeps (isSessionProcess:
// Vallora's own, its page, the watchdog). The system's shell
// ("explorer.exe") has its windows closed but is never ended.
std::vector<ResetTarget> ResetTargets(
    const TaskTable& table, WindowId taskBar,
    const std::function<bool(std::uint32_t processId, const std::string& programPath)>&
        isSessionProcess);

}  // namespace vallora
