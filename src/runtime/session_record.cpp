#include "runtime/session_record.h"

#include "storage/settings.h"

namespace vallora {

void WriteSessionRecordValues(Settings& settings, const SessionRecord& record) {
    settings.WriteSetting(kSessionRecordHive, kSessionRecordKey, "CurrentFile", "S",
                          record.currentFile);
    settings.WriteSetting(kSessionRecordHive, kSessionRecordKey, "Hwnd", "S",
                          std::to_string(record.taskBarWindow));
    settings.WriteSetting(kSessionRecordHive, kSessionRecordKey, "PID", "S",
                          std::to_string(record.processId));
    settings.WriteSetting(kSessionRecordHive, kSessionRecordKey, "DesktopPID", "S",
                          std::to_string(record.desktopProcessId));
}

}  // namespace vallora
