#pragma once
// The audit trail as the programs write it: each event is one line of the
// session log (event_log_win32.h) and one entry of the system's event log.
#include <string_view>

#include "platform/audit_event.h"

namespace vallora {

class AuditLog {
  public:
    explicit AuditLog(SystemEventLogPort& events) : events_(events) {}

    // "<time> <event>: <details>" in the session log, and the same text in
    // the event log with the event's type and id.
    void Record(AuditEvent event, std::string_view details) const;

  private:
    SystemEventLogPort& events_;
};

}  // namespace vallora
