#include "storage/settings.h"

#include <array>
#include <cmath>
#include <limits>
#include <string_view>
#include <utility>
#include <vector>

#include "storage/ascii_case.h"

namespace vallora {

namespace {

// A profile read returns at most this many characters (a 255-character buffer).
constexpr size_t kProfileTextLimit = 254;

enum class SettingType { Text, Boolean, Integer };

std::optional<SettingType> ParseType(const std::string& letter) {
    if (EqualsNoCase(letter, "S")) return SettingType::Text;
    if (EqualsNoCase(letter, "B")) return SettingType::Boolean;
    if (EqualsNoCase(letter, "D")) return SettingType::Integer;
    return std::nullopt;
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

// A decimal number such as "12", "-3" or "2.5", with blanks around it.
std::optional<double> ParseNumber(std::string_view text) {
    text = TrimBlanks(text);
    if (text.empty()) return std::nullopt;
    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    double number = 0;
    double scale = 0;  // 0 before the decimal point
    bool digits = false;
    for (char c : text) {
        if (c == '.' && scale == 0) {
            scale = 1;
        } else if (c >= '0' && c <= '9') {
            digits = true;
            if (scale == 0) {
                number = number * 10 + (c - '0');
            } else {
                scale /= 10;
                number += (c - '0') * scale;
            }
        } else {
            return std::nullopt;
        }
    }
    if (!digits) return std::nullopt;
    return negative ? -number : number;
}

std::optional<bool> ToBoolean(const SettingValue& value) {
    if (auto* b = std::get_if<bool>(&value)) return *b;
    if (auto* i = std::get_if<int32_t>(&value)) return *i != 0;
    const auto& text = std::get<std::string>(value);
    if (EqualsNoCase(TrimBlanks(text), "True")) return true;
    if (EqualsNoCase(TrimBlanks(text), "False")) return false;
    if (auto number = ParseNumber(text)) return *number != 0;
    return std::nullopt;
}

std::optional<int32_t> ToInteger(const SettingValue& value) {
    if (auto* b = std::get_if<bool>(&value)) return *b ? -1 : 0;
    if (auto* i = std::get_if<int32_t>(&value)) return *i;
    auto number = ParseNumber(std::get<std::string>(value));
    if (!number) return std::nullopt;
    // Halves round to the even neighbour, as the system's numeric conversion does.
    const double rounded = std::nearbyint(*number);
    if (rounded < std::numeric_limits<int32_t>::min() ||
        rounded > std::numeric_limits<int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<int32_t>(rounded);
}

// The value as registry data of the given type; nullopt when it cannot be converted.
std::optional<RegistryValue> ToRegistryValue(const std::string& name, SettingType type,
                                             const SettingValue& value) {
    RegistryValue out;
    out.name = name;
    switch (type) {
        case SettingType::Text: {
            const std::string text = SettingText(value);
            out.type = kRegSz;
            out.data.assign(text.begin(), text.end());
            out.data.push_back(0);
            return out;
        }
        case SettingType::Boolean: {
            auto flag = ToBoolean(value);
            if (!flag) return std::nullopt;
            out.type = kRegBinary;
            out.data.assign(2, *flag ? 0xFF : 0x00);
            return out;
        }
        case SettingType::Integer: {
            auto number = ToInteger(value);
            if (!number) return std::nullopt;
            const auto bits = static_cast<uint32_t>(*number);
            out.type = kRegDword;
            out.data = {static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8),
                        static_cast<uint8_t>(bits >> 16), static_cast<uint8_t>(bits >> 24)};
            return out;
        }
    }
    return std::nullopt;
}

// Little-endian integer from at most `size` bytes, missing high bytes zero.
uint32_t FromBytes(const std::vector<uint8_t>& data) {
    uint32_t bits = 0;
    for (size_t i = 0; i < data.size(); ++i) bits |= uint32_t{data[i]} << (8 * i);
    return bits;
}

std::string JoinKeyPath(const std::string& key, const std::string& subkey) {
    if (subkey.empty()) return key;
    if (key.empty()) return subkey;
    return key.back() == '\\' ? key + subkey : key + '\\' + subkey;
}

}  // namespace

std::optional<Hive> HiveHandle(const std::string& name) {
    static constexpr std::array<std::pair<std::string_view, Hive>, 6> kHives{{
        {"HKCU", Hive::CurrentUser},
        {"HKLM", Hive::LocalMachine},
        {"HKU", Hive::Users},
        {"HKDD", Hive::DynData},
        {"HKCC", Hive::CurrentConfig},
        {"HKCR", Hive::ClassesRoot},
    }};
    for (const auto& [hiveName, hive] : kHives) {
        if (EqualsNoCase(name, hiveName)) return hive;
    }
    return std::nullopt;
}

std::string SettingText(const SettingValue& value) {
    if (auto* b = std::get_if<bool>(&value)) return *b ? "True" : "False";
    if (auto* i = std::get_if<int32_t>(&value)) return std::to_string(*i);
    return std::get<std::string>(value);
}

long Settings::ReadSetting(const std::string& location, const std::string& keyPath,
                           const std::string& valueName, const std::string& type,
                           SettingValue& result) {
    if (location.empty()) return kStatusNoLocation;
    const auto settingType = ParseType(type);
    const auto hive = HiveHandle(location);
    // A type the location cannot hold reads nothing; that is an error, not success.
    if (!settingType || (!hive && settingType != SettingType::Text)) return kStatusInvalidParameter;

    if (!hive) {
        std::string text = profile_.GetString(location, keyPath, valueName, SettingText(result));
        if (text.size() > kProfileTextLimit) text.resize(kProfileTextLimit);
        result = std::move(text);
        return kStatusOk;
    }

    RegistryValue value;
    if (long status = registry_.ReadValue(*hive, keyPath, valueName, value); status != kStatusOk) {
        return status;
    }
    switch (*settingType) {
        case SettingType::Text: {
            // The data ends with its terminating zero; text stops there.
            std::string text(value.data.begin(), value.data.end());
            text.resize(std::min(text.size(), text.find('\0')));
            result = std::move(text);
            break;
        }
        case SettingType::Boolean:
            // Read into a two-byte buffer: longer data does not fit.
            if (value.data.size() > 2) return kStatusMoreData;
            result = FromBytes(value.data) != 0;
            break;
        case SettingType::Integer:
            if (value.data.size() > 4) return kStatusMoreData;
            result = static_cast<int32_t>(FromBytes(value.data));
            break;
    }
    return kStatusOk;
}

long Settings::WriteSetting(const std::string& location, const std::string& keyPath,
                            const std::string& valueName, const std::string& type,
                            const SettingValue& value) {
    if (location.empty()) return kStatusNoLocation;
    const auto settingType = ParseType(type);
    const auto hive = HiveHandle(location);
    if (!settingType || (!hive && settingType != SettingType::Text)) return kStatusInvalidParameter;

    if (!hive) {
        return profile_.WriteString(location, keyPath, valueName, SettingText(value))
                   ? kStatusOk
                   : kStatusWriteFault;
    }
    // Converted before anything is created, so a value that does not convert
    // leaves the registry as it was.
    auto data = ToRegistryValue(valueName, *settingType, value);
    if (!data) return kStatusInvalidParameter;
    return registry_.WriteValue(*hive, keyPath, *data);
}

long Settings::DeleteKey(const std::string& hive, const std::string& key,
                         const std::string& subkey) {
    const auto root = HiveHandle(hive);
    if (!root) return kStatusInvalidHandle;
    const long status = registry_.DeleteSubKey(*root, key, subkey);
    return status == kStatusNotFound ? kStatusOk : status;
}

void Settings::DeleteKeyTree(const std::string& hive, const std::string& key,
                             const std::string& subkey) {
    const auto root = HiveHandle(hive);
    if (!root) return;
    const std::string target = JoinKeyPath(key, subkey);
    // An empty target would be the whole hive.
    if (target.find_first_not_of('\\') == std::string::npos) return;
    // Names as the registry holds them: a name with blanks at either end must
    // not be trimmed here, or its subtree would survive.
    std::vector<std::string> names;
    if (registry_.EnumSubKeyNames(*root, target, names) == kStatusOk) {
        for (const auto& name : names) DeleteKeyTree(hive, target, name);
    }
    DeleteKey(hive, key, subkey);
}

long Settings::EnumSubKeys(const std::string& hive, const std::string& key, std::string& list) {
    const auto root = HiveHandle(hive);
    if (!root) return kStatusInvalidHandle;
    std::vector<std::string> names;
    if (long status = registry_.EnumSubKeyNames(*root, key, names); status != kStatusOk) {
        return status;
    }
    std::string filled;
    for (const auto& name : names) {
        filled += TrimBlanks(name);
        filled += '\0';
    }
    filled += '\0';
    if (filled.size() == 1) filled += '\0';
    list = std::move(filled);
    return kStatusOk;
}

}  // namespace vallora
