#pragma once
// The session record: what a running desktop session leaves in the registry
// for the watchdog, which restarts the session from it when the task bar
// stops answering. Written once per desktop start in HKLM, or in HKCU when
// HKLM refuses it; an ended session leaves "Hwnd" = "0" there.
#include <cstdint>
#include <string>

namespace vallora {

class Settings;

inline constexpr const char* kSessionRecordHive = "HKLM";
inline constexpr const char* kSessionRecordFallbackHive = "HKCU";
inline constexpr const char* kSessionRecordKey = "Software\\Brenmark\\Vallora\\";

struct SessionRecord {
    std::string currentFile;  // the definition path exactly as on the command line
    std::uintptr_t taskBarWindow = 0;
    std::uint32_t processId = 0;         // the process that owns the task bar window
    std::uint32_t desktopProcessId = 0;  // the page host; 0 when the page did not start
};

// Writes "CurrentFile", "Hwnd", "PID" and "DesktopPID", in that order, as
// text (the numbers in decimal), in HKLM, else in HKCU. Returns the hive
// name that holds the record, or nullptr when neither took every value.
const char* WriteSessionRecordValues(Settings& settings, const SessionRecord& record);

// Reads the record's values from the hive ("HKLM" or "HKCU"), each as text; a
// number that is missing or not plain decimal digits within range reads as 0.
SessionRecord ReadSessionRecord(Settings& settings, const char* hive = kSessionRecordHive);

// Marks the record of either hive as ended ("Hwnd" = "0"), so that no
// watchdog takes it for a session to restart.
void EndSessionRecord(Settings& settings);

}  // namespace vallora
