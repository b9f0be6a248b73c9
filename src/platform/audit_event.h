#pragma once
// The audit trail: the events an administrator reads afterwards in the
// session log and in the system's event log, each as one line "<event>:
// <details>". Fleet tools that collect event logs find them under the source
// "Vallora", one event id per kind of event.
#include <cstdint>
#include <string>
#include <string_view>

namespace vallora {

inline constexpr char kEventLogSource[] = "Vallora";

enum class AuditEvent {
    SessionStart,
    SessionEnd,
    WatchdogRestart,
    DialogTakenOver,
    DialogBlocked,
    WrongPassword,
    IdleReset,
    RestrictionNotWritten,
    SelfCheck,
};

// Numbered as the system's event types.
enum class EventLogType : std::uint16_t { Error = 1, Warning = 2, Information = 4 };

// One entry of the system's event log, as reported.
struct EventLogEntry {
    EventLogType type = EventLogType::Information;
    std::uint32_t id = 0;
    std::string text;

    bool operator==(const EventLogEntry&) const = default;
};

// "Session start", "Dialog blocked", ...: the start of the event's line.
std::string_view AuditEventName(AuditEvent event);
// The session log's text of the event (the log adds the time before it).
std::string AuditLine(AuditEvent event, std::string_view details);
// The event log's entry: warnings for what a visitor tried or what failed,
// information for the rest; ids from 1000 up in the order of AuditEvent.
EventLogEntry AuditEventLogEntry(AuditEvent event, std::string_view details);

// The system's event log.
class SystemEventLogPort {
  public:
    virtual ~SystemEventLogPort() = default;
    // Reports one entry under kEventLogSource; a log that refuses it is left alone.
    virtual void Report(const EventLogEntry& entry) = 0;
};

}  // namespace vallora
