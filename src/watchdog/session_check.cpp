#include "watchdog/session_check.h"

#include <charconv>
#include <limits>

#include "storage/settings.h"

namespace vallora {

namespace {

template <typename Number>
Number ParseDecimal(const std::string& text) {
    Number value = 0;
    const char* end = text.data() + text.size();
    if (text.empty() || text.front() < '0' || text.front() > '9') return 0;
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end) return 0;
    return value;
}

std::string ReadText(Settings& settings, const char* valueName) {
    SettingValue value = std::string();
    settings.ReadSetting(kSessionRecordHive, kSessionRecordKey, valueName, "S", value);
    const std::string* text = std::get_if<std::string>(&value);
    return text ? *text : std::string();
}

}  // namespace

SessionRecord ReadSessionRecord(Settings& settings) {
    SessionRecord record;
    record.taskBarWindow = ParseDecimal<std::uintptr_t>(ReadText(settings, "Hwnd"));
    record.processId = ParseDecimal<std::uint32_t>(ReadText(settings, "PID"));
    record.currentFile = ReadText(settings, "CurrentFile");
    record.desktopProcessId = ParseDecimal<std::uint32_t>(ReadText(settings, "DesktopPID"));
    return record;
}

bool IsUsableSessionRecord(const SessionRecord& record) {
    return record.taskBarWindow != 0 && !record.currentFile.empty();
}

CheckOutcome CheckSession(const SessionRecord& record, WatchdogSystem& system) {
    // Without a record there is no session to judge; ending whatever stale
    // ids name could hit any program.
    if (!IsUsableSessionRecord(record)) return CheckOutcome::NoSession;

    bool answered = false;
    for (int probe = 1; probe <= kProbeCount; ++probe) {
        answered = system.ProbeWindow(record.taskBarWindow, kProbeTimeoutMs);
        if (!answered && probe < kProbeCount && !system.Wait(kProbeRetryWaitMs)) {
            return CheckOutcome::Interrupted;
        }
    }
    if (answered) return CheckOutcome::Answering;
    // The last probe may have taken a second: an end asked for meanwhile wins.
    if (!system.Wait(0)) return CheckOutcome::Interrupted;

    if (record.processId != 0) system.EndProcessRunning(record.processId, kRuntimeProgramFile);
    if (record.desktopProcessId != 0) {
        if (!system.EndProcessRunning(record.desktopProcessId, kPageHostProgramFile)) {
            system.EndProcessRunning(record.desktopProcessId, kBuiltInPageProgramFile);
        }
    }
    system.StartRuntime(record.currentFile);
    return CheckOutcome::Restarted;
}

std::string RuntimeCommandLine(std::string_view programFolder, std::string_view definitionPath) {
    std::string commandLine = "\"";
    commandLine.append(programFolder);
    commandLine.append("\\");
    commandLine.append(kRuntimeProgramFile);
    commandLine.append("\" ");
    commandLine.append(definitionPath);
    return commandLine;
}

}  // namespace vallora
