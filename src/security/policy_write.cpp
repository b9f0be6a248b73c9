#include "security/policy_write.h"

#include "storage/settings.h"

namespace vallora {

void WritePolicy(Settings& settings, const PolicyValue& value, int32_t number) {
    settings.WriteSetting(value.hive, value.key, value.name, "D", number);
}

void WritePolicies(Settings& settings, std::span<const PolicyValue> values, int32_t number) {
    for (const PolicyValue& value : values) WritePolicy(settings, value, number);
}

void WritePolicyText(Settings& settings, const PolicyValue& value, const std::string& text) {
    settings.WriteSetting(value.hive, value.key, value.name, "S", text);
}

}  // namespace vallora
