#include "runtime/session_end_win32.h"

#include "security/previous_values.h"
#include "security/process_name.h"
#include "security/processes_win32.h"
#include "storage/definition_file.h"
#include "storage/settings.h"

namespace vallora {

namespace {

bool IsRuntimeRunning(std::uint32_t processId) {
    if (processId == 0 || processId == GetCurrentProcessId()) return false;
    return IsProcessNamed(ProcessExecutableName(processId), "Vallora.exe");
}

}  // namespace

bool LastSessionEndedUncleanly(Settings& settings, SessionRecord& record) {
    if (!HasValuesJournal(settings.registry())) return false;
    for (const char* hive : {kSessionRecordHive, kSessionRecordFallbackHive}) {
        const SessionRecord found = ReadSessionRecord(settings, hive);
        if (found.taskBarWindow == 0 || found.currentFile.empty()) continue;
        if (IsRuntimeRunning(found.processId)) return false;
        record = found;
        return true;
    }
    return false;
}

void ResetAfterUncleanEnd(const SessionRecord& record, const SecurityTarget& target) {
    // The reset reads the desktop and home-page settings of the definition.
    const LoadedDefinition loaded = LoadDefinition(record.currentFile);
    ResetComputerSecurityKept(loaded.Record, target);
    EndSessionRecord(target.settings);
}

}  // namespace vallora
