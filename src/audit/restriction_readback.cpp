#include "audit/restriction_readback.h"

#include <algorithm>
#include <cstdio>

#include "security/computer_security.h"
#include "security/policy_reg_file.h"
#include "storage/ascii_case.h"
#include "storage/memory_registry.h"
#include "storage/recording_registry.h"
#include "storage/settings.h"

namespace vallora {

namespace {

constexpr std::string_view kOwnRecords = "Software\\Brenmark\\Vallora";

bool IsOwnRecord(const std::string& keyPath) {
    const std::string_view key(keyPath);
    return key.size() >= kOwnRecords.size() &&
           EqualsNoCase(key.substr(0, kOwnRecords.size()), kOwnRecords) &&
           (key.size() == kOwnRecords.size() || key[kOwnRecords.size()] == '\\');
}

bool SamePlace(Hive hive, const std::string& keyPath, const std::string& name, Hive otherHive,
               const std::string& otherKey, const std::string& otherName) {
    return hive == otherHive && EqualsNoCase(keyPath, otherKey) && EqualsNoCase(name, otherName);
}

const char* HiveName(Hive hive) {
    return hive == Hive::LocalMachine ? "HKLM" : hive == Hive::CurrentUser ? "HKCU" : "HK?";
}

}  // namespace

std::vector<ExpectedValue> ExpectedRestrictionValues(const Definition& definition) {
    MemoryRegistry scratch;
    RecordingRegistry recording(scratch);
    DryRunProfile profile;
    DryRunSystem system;
    Settings settings(recording, profile);
    ApplyComputerSecurity(definition, {settings, system});
    std::vector<ExpectedValue> expected;
    for (const RecordedChange& change : recording.Changes()) {
        if (change.kind != RecordedChange::Kind::WriteValue || IsOwnRecord(change.keyPath)) {
            continue;
        }
        const auto same = std::find_if(expected.begin(), expected.end(), [&](const auto& value) {
            return SamePlace(value.hive, value.keyPath, value.value.name, change.hive,
                             change.keyPath, change.value.name);
        });
        if (same != expected.end()) {
            same->value = change.value;
        } else {
            expected.push_back({change.hive, change.keyPath, change.value});
        }
    }
    return expected;
}

std::vector<ValueReadBack> ReadBackRestrictions(const Definition& definition,
                                                RegistryPort& registry,
                                                const std::vector<WriteFailure>& applyFailures) {
    std::vector<ValueReadBack> results;
    for (ExpectedValue& expected : ExpectedRestrictionValues(definition)) {
        ValueReadBack result;
        RegistryValue found;
        result.readStatus =
            registry.ReadValue(expected.hive, expected.keyPath, expected.value.name, found);
        if (result.readStatus == kStatusOk) {
            result.inEffect =
                found.type == expected.value.type && found.data == expected.value.data;
            result.found = std::move(found);
        }
        for (const WriteFailure& failure : applyFailures) {
            if (SamePlace(failure.hive, failure.keyPath, failure.name, expected.hive,
                          expected.keyPath, expected.value.name)) {
                result.failure = failure;
            }
        }
        result.expected = std::move(expected);
        results.push_back(std::move(result));
    }
    return results;
}

std::string ValueTitle(const ExpectedValue& value) {
    const std::string& name = value.value.name;
    return (name.empty() ? std::string("(default)") : name) + " = " + ValueDataText(value.value) +
           " (" + HiveName(value.hive) + "\\" + value.keyPath + ")";
}

std::string ValueDataText(const RegistryValue& value) {
    const std::vector<uint8_t>& data = value.data;
    if (value.type == kRegDword && data.size() == 4) {
        const uint32_t number =
            data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<uint32_t>(data[3]) << 24);
        return std::to_string(number);
    }
    if (value.type == kRegSz || value.type == kRegExpandSz) {
        std::string text(data.begin(), data.end());
        if (const size_t end = text.find('\0'); end != std::string::npos) text.resize(end);
        return "\"" + text + "\"";
    }
    std::string hex;
    for (const uint8_t byte : data) {
        char pair[4] = {};
        std::snprintf(pair, sizeof(pair), "%02x", byte);
        if (!hex.empty()) hex += ' ';
        hex += pair;
    }
    return hex;
}

}  // namespace vallora
