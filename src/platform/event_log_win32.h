#pragma once
// The program's event log: one line per event, with date and time, in
// "Vallora.log" in the user's local application data folder. When the file
// has grown past 1 MB it becomes "Vallora.log.1" (replacing an older one)
// and a new file is begun, so the log never takes more than about 2 MB.
#include <string>
#include <string_view>

namespace vallora {

inline constexpr unsigned long kEventLogLimitBytes = 1024 * 1024;

// Where the log is written; empty when the system names no such folder.
std::string EventLogPath();

// The local date and time as the log writes them: "YYYY-MM-DD hh:mm:ss".
std::string LocalTimeStamp();

// Appends "YYYY-MM-DD hh:mm:ss text" to the log; a log that cannot be
// written is left alone, the program goes on.
void LogEvent(std::string_view text);

}  // namespace vallora
