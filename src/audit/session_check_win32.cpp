#include "audit/session_check_win32.h"

#include "audit/frm_lock_down_check_win32.h"
#include "audit/lock_down_probes_win32.h"
#include "audit/lock_down_report.h"
#include "platform/audit_event.h"
#include "platform/event_log_win32.h"
#include "platform/wait_cursor_win32.h"
#include "platform/window_port_win32.h"
#include "runtime/program_files_win32.h"
#include "storage/whole_file.h"

namespace vallora {

std::string LockDownReportPath() {
    const std::string log = EventLogPath();
    const size_t slash = log.rfind('\\');
    if (slash == std::string::npos) return {};
    return log.substr(0, slash + 1) + kLockDownReportFile;
}

SessionCheckResult RunSessionCheck(const CheckedSession& checked, HWND taskBar) {
    const LockDownSubject subject{.definition = checked.state.definition,
                                  .definitionPath = checked.state.lastOpenedPath,
                                  .settings = checked.settings,
                                  .applyFailures = checked.session.ApplyFailures(),
                                  .programFolder = checked.programFolder,
                                  .programPath = ProgramPath(),
                                  .processId = GetCurrentProcessId(),
                                  .taskBarWindow = reinterpret_cast<std::uintptr_t>(taskBar),
                                  .watchdogProcessId = checked.state.watchdogProcessId};
    SessionProbes probes(checked.session.Guard(), checked.programFolder);
    SessionCheckResult result;
    result.rows = RunLockDownCheck(subject, probes, checked.language);
    const std::string path = LockDownReportPath();
    if (!path.empty() &&
        ReplaceWholeFile(path, ReportText(result.rows, checked.language, LocalTimeStamp()),
                         nullptr)) {
        result.reportPath = path;
    }
    std::string line = ReportSummary(result.rows, checked.language);
    for (const CheckRow& row : result.rows) {
        if (row.state == CheckState::Open) line += "; " + row.what;
    }
    // In the session log and the Application event log, as every audit event.
    checked.session.Audit(AuditEvent::SelfCheck, line);
    return result;
}

void CheckLockDown(ProgramServices& services, WindowId owner) {
    const CheckedSession checked{services.session, services.state, services.storage.settings,
                                 services.language, services.programFolder};
    HWND bar = ToHwnd(owner);
    SessionCheckResult result;
    {
        WaitCursor wait;
        result = RunSessionCheck(checked, bar);
    }
    frmLockDownCheck report(services.language);
    if (report.Load(bar, result.rows, result.reportPath)) report.Show(bar);
}

}  // namespace vallora
