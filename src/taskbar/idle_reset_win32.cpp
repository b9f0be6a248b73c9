#include "taskbar/idle_reset_win32.h"

#include <algorithm>
#include <string>

namespace vallora {

namespace {

// How long ended processes may take to go before the clean-up starts anyway.
constexpr ULONGLONG kEndWaitMs = 3000;

}  // namespace

IdleResetter::IdleResetter(TaskBarSession& session, const Language& language)
    : session_(session), warning_(language, [this] { watch_.Continue(GetTickCount()); }) {
    // The quiet time counts from the start of the session at the earliest: a
    // computer untouched since it started is not reset as the desktop comes up.
    watch_.Continue(GetTickCount());
}

void IdleResetter::Tick(const TaskContext& context) {
    // The clean desktop starts the page, which lets messages run and with
    // them this tick again.
    if (inTick_) return;
    inTick_ = true;
    if (closing_) {
        if (ProgramsGone()) {
            closing_ = false;
            session_.ResetDesktop();
        }
        inTick_ = false;
        return;
    }
    const IdleTimes times = session_.IdleResetTimes();
    LASTINPUTINFO input{};
    input.cbSize = sizeof(input);
    const bool known = times.resetSeconds > 0 && GetLastInputInfo(&input);
    const IdleDecision decision =
        known ? watch_.Tick(input.dwTime, GetTickCount(), times) : IdleDecision{};
    switch (decision.phase) {
        case IdlePhase::Warning:
            warning_.Show(decision.secondsLeft);
            break;
        case IdlePhase::Due:
            // The close requests go first: hiding a window can take a while
            // on some window systems.
            BeginReset(context);
            warning_.Unload();
            break;
        case IdlePhase::Active:
            warning_.Unload();
            break;
    }
    inTick_ = false;
}

void IdleResetter::BeginReset(const TaskContext& context) {
    const std::vector<ResetTarget> targets = ResetTargets(
        context.table, context.taskBar, [this](std::uint32_t id, const std::string& path) {
            return session_.IsSessionProcess(id, path);
        });
    closingProcesses_.clear();
    std::vector<std::uint32_t> taken;
    for (const ResetTarget& target : targets) {
        if (target.mayEnd &&
            std::find(taken.begin(), taken.end(), target.processId) == taken.end()) {
            taken.push_back(target.processId);
            UniqueKernelHandle process(
                OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, target.processId));
            if (process) closingProcesses_.push_back(std::move(process));
        }
        context.windows.Post(target.window, PostedMessage::Close);
    }
    session_.Audit(AuditEvent::IdleReset,
                   std::to_string(targets.size()) + " task windows asked to close");
    closeDeadline_ = GetTickCount64() + kIdleResetCloseWaitMs;
    stayersEnded_ = false;
    closing_ = true;
}

bool IdleResetter::ProgramsGone() {
    std::erase_if(closingProcesses_, [](const UniqueKernelHandle& process) {
        return WaitForSingleObject(process.get(), 0) != WAIT_TIMEOUT;
    });
    const ULONGLONG now = GetTickCount64();
    // A process that will not end does not hold up the clean desktop.
    if (closingProcesses_.empty() || now >= closeDeadline_ + kEndWaitMs) {
        closingProcesses_.clear();
        return true;
    }
    if (now < closeDeadline_ || stayersEnded_) return false;
    stayersEnded_ = true;
    // Ended now; the clean-up follows on the next tick, when they have let
    // go of their files.
    session_.Audit(AuditEvent::IdleReset, std::to_string(closingProcesses_.size()) +
                                              " programs still running after the wait are ended");
    for (const UniqueKernelHandle& process : closingProcesses_) {
        TerminateProcess(process.get(), 0);
    }
    return false;
}

}  // namespace vallora
