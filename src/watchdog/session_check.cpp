#include "watchdog/session_check.h"

#include "storage/settings.h"

namespace vallora {

CheckOutcome SessionWatch::Check(Settings& settings, WatchdogSystem& system) {
    for (const char* hive : {kSessionRecordHive, kSessionRecordFallbackHive}) {
        const SessionRecord record = ReadSessionRecord(settings, hive);
        if (!IsUsableSessionRecord(record)) continue;
        if (system.IsSessionWindow(record.taskBarWindow)) {
            seen_ = record.taskBarWindow;
        } else if (record.taskBarWindow != seen_) {
            continue;
        }
        const CheckOutcome outcome = CheckSession(record, system);
        if (outcome == CheckOutcome::Restarted) restartedFile_ = record.currentFile;
        return outcome;
    }
    return CheckOutcome::NoSession;
}

bool IsUsableSessionRecord(const SessionRecord& record) {
    return record.taskBarWindow != 0 && !record.currentFile.empty();
}

CheckOutcome CheckSession(const SessionRecord& record, WatchdogSystem& system) {
    // Without a record there is no session to judge; ending whatever stale
    // ids name could hit any program.
    if (!IsUsableSessionRecord(record)) return CheckOutcome::NoSession;

    bool answered = false;
    for (int probe = 1; probe <= kProbeCount; ++probe) {
        answered = system.ProbeWindow(record.taskBarWindow, kProbeTimeoutMs);
        if (!answered && probe < kProbeCount && !system.Wait(kProbeRetryWaitMs)) {
            return CheckOutcome::Interrupted;
        }
    }
    if (answered) return CheckOutcome::Answering;
    // The last probe may have taken a second: an end asked for meanwhile wins.
    if (!system.Wait(0)) return CheckOutcome::Interrupted;

    if (record.processId != 0) system.EndProcessRunning(record.processId, kRuntimeProgramFile);
    if (record.desktopProcessId != 0) {
        if (!system.EndProcessRunning(record.desktopProcessId, kPageHostProgramFile)) {
            system.EndProcessRunning(record.desktopProcessId, kBuiltInPageProgramFile);
        }
    }
    system.StartRuntime(record.currentFile);
    return CheckOutcome::Restarted;
}

}  // namespace vallora
