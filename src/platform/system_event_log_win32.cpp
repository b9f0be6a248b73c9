#include "platform/system_event_log_win32.h"

namespace vallora {

Win32SystemEventLog::Win32SystemEventLog()
    : source_(RegisterEventSourceA(nullptr, kEventLogSource)) {}

void Win32SystemEventLog::Report(const EventLogEntry& entry) {
    if (!source_) return;
    const char* strings[] = {entry.text.c_str()};
    ReportEventA(source_.get(), static_cast<WORD>(entry.type), 0, entry.id, nullptr, 1, 0, strings,
                 nullptr);
}

}  // namespace vallora
