#include "platform/audit_event.h"

namespace vallora {

namespace {

constexpr std::uint32_t kFirstAuditEventId = 1000;

}  // namespace

std::string_view AuditEventName(AuditEvent event) {
    switch (event) {
        case AuditEvent::SessionStart:
            return "Session start";
        case AuditEvent::SessionEnd:
            return "Session end";
        case AuditEvent::WatchdogRestart:
            return "Watchdog restart";
        case AuditEvent::DialogTakenOver:
            return "Dialog taken over";
        case AuditEvent::DialogBlocked:
            return "Dialog blocked";
        case AuditEvent::WrongPassword:
            return "Wrong password";
        case AuditEvent::IdleReset:
            return "Idle reset";
        case AuditEvent::RestrictionNotWritten:
            return "Restriction not written";
        case AuditEvent::SelfCheck:
            return "Self-check";
    }
    return "Event";
}

std::string AuditLine(AuditEvent event, std::string_view details) {
    std::string line(AuditEventName(event));
    if (!details.empty()) line.append(": ").append(details);
    return line;
}

EventLogEntry AuditEventLogEntry(AuditEvent event, std::string_view details) {
    EventLogType type = EventLogType::Information;
    switch (event) {
        case AuditEvent::WatchdogRestart:
        case AuditEvent::DialogBlocked:
        case AuditEvent::WrongPassword:
        case AuditEvent::RestrictionNotWritten:
            type = EventLogType::Warning;
            break;
        case AuditEvent::SessionStart:
        case AuditEvent::SessionEnd:
        case AuditEvent::DialogTakenOver:
        case AuditEvent::IdleReset:
        case AuditEvent::SelfCheck:
            break;
    }
    return {type, kFirstAuditEventId + static_cast<std::uint32_t>(event),
            AuditLine(event, details)};
}

}  // namespace vallora
