#pragma once
// The session record: what a running desktop session leaves in the registry
// for the watchdog, which restarts the session from it when the task bar
// stops answering. Written once per desktop start, never cleared.
#include <cstdint>
#include <string>

namespace vallora {

class Settings;

inline constexpr const char* kSessionRecordHive = "HKLM";
inline constexpr const char* kSessionRecordKey = "Software\\Brenmark\\Vallora\\";

struct SessionRecord {
    std::string currentFile;  // the definition path exactly as on the command line
    std::uintptr_t taskBarWindow = 0;
    std::uint32_t processId = 0;         // the process that owns the task bar window
    std::uint32_t desktopProcessId = 0;  // the page host; 0 when the page did not start
};

// Writes "CurrentFile", "Hwnd", "PID" and "DesktopPID", in that order, as
// text (the numbers in decimal).
void WriteSessionRecordValues(Settings& settings, const SessionRecord& record);

}  // namespace vallora
