#pragma once
// How the last desktop session ended, as its record and the running processes
// tell it, and the reset that makes good an end without one.
#include <windows.h>

#include "runtime/session_record.h"
#include "security/security_target.h"

namespace vallora {

class Settings;

// True when a record (HKLM's, else HKCU's) names a session ("Hwnd" other
// than "0") whose runtime process has gone while previous values are kept:
// a power loss, a forced log-off or a crash ended it without its reset.
// `record` receives that session's record.
bool LastSessionEndedUncleanly(Settings& settings, SessionRecord& record);

// Resets the restrictions from the kept previous values, with the ended
// session's definition, and marks its record ended.
void ResetAfterUncleanEnd(const SessionRecord& record, const SecurityTarget& target);

}  // namespace vallora
