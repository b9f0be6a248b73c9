#pragma once
// The guarded "Check Lock-down" action of a running desktop session: runs
// every check inside the session, saves the report as text beside the event
// log, logs its summary and shows the report window.
#include <windows.h>

#include <string>
#include <vector>

#include "audit/lock_down_check.h"
#include "runtime/desktop_session_win32.h"
#include "runtime/main_win32.h"

namespace vallora {

// What the check looks at in a running session.
struct CheckedSession {
    DesktopSession& session;
    ProgramState& state;
    Settings& settings;
    const Language& language;
    std::string programFolder;
};

struct SessionCheckResult {
    std::vector<CheckRow> rows;
    std::string reportPath;  // empty when the report could not be written
};

// The report file: "LockDownCheck.txt" in the folder of the event log.
std::string LockDownReportPath();

// Runs the checks with the session's own guard and registry; `taskBar` is the
// session's bar, whose window the session record must name.
SessionCheckResult RunSessionCheck(const CheckedSession& checked, HWND taskBar);

// The whole action: the check, then the report window, modally over `owner`.
void CheckLockDown(ProgramServices& services, WindowId owner);

}  // namespace vallora
