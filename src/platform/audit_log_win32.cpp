#include "platform/audit_log_win32.h"

#include "platform/event_log_win32.h"

namespace vallora {

void AuditLog::Record(AuditEvent event, std::string_view details) const {
    const EventLogEntry entry = AuditEventLogEntry(event, details);
    LogEvent(entry.text);
    events_.Report(entry);
}

}  // namespace vallora
