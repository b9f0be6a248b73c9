#include "runtime/session_record.h"

#include <charconv>

#include "platform/registry_port.h"
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

std::string ReadText(Settings& settings, const char* hive, const char* valueName) {
    SettingValue value = std::string();
    settings.ReadSetting(hive, kSessionRecordKey, valueName, "S", value);
    const std::string* text = std::get_if<std::string>(&value);
    return text ? *text : std::string();
}

bool WriteIn(Settings& settings, const char* hive, const SessionRecord& record) {
    const auto text = [&](const char* name, const std::string& value) {
        return settings.WriteSetting(hive, kSessionRecordKey, name, "S", value) == kStatusOk;
    };
    // Every value is written even after a refusal, as the record always was.
    bool complete = text("CurrentFile", record.currentFile);
    complete = text("Hwnd", std::to_string(record.taskBarWindow)) && complete;
    complete = text("PID", std::to_string(record.processId)) && complete;
    return text("DesktopPID", std::to_string(record.desktopProcessId)) && complete;
}

}  // namespace

SessionRecord ReadSessionRecord(Settings& settings, const char* hive) {
    SessionRecord record;
    record.taskBarWindow = ParseDecimal<std::uintptr_t>(ReadText(settings, hive, "Hwnd"));
    record.processId = ParseDecimal<std::uint32_t>(ReadText(settings, hive, "PID"));
    record.currentFile = ReadText(settings, hive, "CurrentFile");
    record.desktopProcessId = ParseDecimal<std::uint32_t>(ReadText(settings, hive, "DesktopPID"));
    return record;
}

const char* WriteSessionRecordValues(Settings& settings, const SessionRecord& record) {
    for (const char* hive : {kSessionRecordHive, kSessionRecordFallbackHive}) {
        if (WriteIn(settings, hive, record)) return hive;
    }
    return nullptr;
}

void EndSessionRecord(Settings& settings) {
    for (const char* hive : {kSessionRecordHive, kSessionRecordFallbackHive}) {
        SettingValue window = std::string();
        if (settings.ReadSetting(hive, kSessionRecordKey, "Hwnd", "S", window) == kStatusOk) {
            settings.WriteSetting(hive, kSessionRecordKey, "Hwnd", "S", std::string("0"));
        }
    }
}

}  // namespace vallora
