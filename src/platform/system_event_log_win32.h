#pragma once
// The Application event log under the source "Vallora", through ReportEvent.
#include "platform/audit_event.h"
#include "platform/win32_handles_win32.h"

namespace vallora {

class Win32SystemEventLog final : public SystemEventLogPort {
  public:
    // Opens the source for as long as the object lives. The system accepts
    // a source that is not registered; the event viewer then shows the text
    // without the message file's frame.
    Win32SystemEventLog();

    void Report(const EventLogEntry& entry) override;

  private:
    UniqueEventSource source_;
};

}  // namespace vallora
