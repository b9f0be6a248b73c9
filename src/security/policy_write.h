#pragma once
// Writing policy values through the settings access: numbers as REG_DWORD,
// text as REG_SZ, each key created when missing. A refused write is skipped;
// the caller goes on with the next one.
#include <cstdint>
#include <span>
#include <string>

namespace vallora {

class Settings;

struct PolicyValue {
    const char* hive;  // "HKCU" or "HKLM"
    const char* key;
    const char* name;
};

void WritePolicy(Settings& settings, const PolicyValue& value, int32_t number);
void WritePolicies(Settings& settings, std::span<const PolicyValue> values, int32_t number);
void WritePolicyText(Settings& settings, const PolicyValue& value, const std::string& text);

}  // namespace vallora
