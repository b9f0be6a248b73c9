#include "taskbar/idle_reset.h"

#include <algorithm>

#include "security/process_name.h"
#include "storage/ascii_case.h"

namespace vallora {

namespace {

// How far the last input may lie ahead of now and still be taken for a
// reading race rather than a time from before the tick count wrapped.
constexpr std::uint32_t kAheadToleranceMs = 60000;

std::uint32_t IdleMs(std::uint32_t lastInputTick, std::uint32_t nowTick) {
    if (static_cast<std::uint32_t>(lastInputTick - nowTick) <= kAheadToleranceMs) return 0;
    return nowTick - lastInputTick;
}

}  // namespace

int WarningSeconds(const IdleTimes& times) {
    return std::clamp(times.warningSeconds, 0, std::max(0, times.resetSeconds / 2));
}

IdleDecision DecideIdle(std::uint32_t lastInputTick, std::uint32_t nowTick,
                        const IdleTimes& times) {
    if (times.resetSeconds <= 0) return {};
    const std::int64_t idle = IdleMs(lastInputTick, nowTick);
    const std::int64_t reset = std::int64_t{times.resetSeconds} * 1000;
    const std::int64_t warning = std::int64_t{WarningSeconds(times)} * 1000;
    if (idle >= reset) return {IdlePhase::Due, 0};
    if (warning > 0 && idle >= reset - warning) {
        return {IdlePhase::Warning, static_cast<int>((reset - idle + 999) / 1000)};
    }
    return {};
}

std::uint32_t IdleWatch::Later(std::uint32_t a, std::uint32_t b, std::uint32_t now) {
    return IdleMs(a, now) <= IdleMs(b, now) ? a : b;
}

IdleDecision IdleWatch::Tick(std::uint32_t lastInputTick, std::uint32_t nowTick,
                             const IdleTimes& times) {
    // Real input after "Continue" makes the answer of no further use.
    if (continued_ && IdleMs(lastInputTick, nowTick) < IdleMs(continuedTick_, nowTick)) {
        continued_ = false;
    }
    const std::uint32_t last =
        continued_ ? Later(lastInputTick, continuedTick_, nowTick) : lastInputTick;
    if (resetDone_) {
        if (last == resetForInput_) return {};
        resetDone_ = false;
    }
    const IdleDecision decision = DecideIdle(last, nowTick, times);
    if (decision.phase == IdlePhase::Due) {
        resetDone_ = true;
        resetForInput_ = last;
    }
    return decision;
}

std::vector<ResetTarget> ResetTargets(
    const TaskTable& table, WindowId taskBar,
    const std::function<bool(std::uint32_t processId, const std::string& programPath)>&
        isSessionProcess) {
    std::vector<ResetTarget> targets;
    for (const TaskRecord& record : table.records) {
        if (record.window == 0 || record.window == taskBar) continue;
        if (isSessionProcess(record.processId, record.programPath)) continue;
        const bool shell = EqualsNoCase(ExecutableFileName(record.programPath), "explorer.exe");
        targets.push_back({record.window, record.processId, !shell});
    }
    return targets;
}

}  // namespace vallora
