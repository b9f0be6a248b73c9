#pragma once
// The system's event log as Windows tests see it: every entry reported, in
// order (Wine's event log keeps nothing to read back).
#include <algorithm>
#include <string_view>
#include <vector>

#include "platform/audit_event.h"

namespace vallora {

class RecordingEventLog final : public SystemEventLogPort {
  public:
    std::vector<EventLogEntry> entries;

    void Report(const EventLogEntry& entry) override { entries.push_back(entry); }

    // The entries of one event, by its id.
    std::vector<EventLogEntry> Of(AuditEvent event) const {
        const std::uint32_t id = AuditEventLogEntry(event, "").id;
        std::vector<EventLogEntry> found;
        std::copy_if(entries.begin(), entries.end(), std::back_inserter(found),
                     [&](const EventLogEntry& entry) { return entry.id == id; });
        return found;
    }
};

}  // namespace vallora
