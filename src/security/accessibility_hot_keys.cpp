#include "security/accessibility_hot_keys.h"

#include "security/policy_keys.h"
#include "storage/settings.h"

namespace vallora {

using policy_keys::kCurrentUser;
using policy_keys::kProgramKey;

std::string HotKeysRecord(const AccessibilityFlags& flags) {
    std::string record;
    for (const std::uint32_t feature : flags) {
        if (!record.empty()) record += ';';
        record += (feature & kHotKeyActive) != 0 ? '1' : '0';
    }
    return record;
}

bool ApplyHotKeysRecord(const std::string& record, AccessibilityFlags& flags) {
    if (record.size() != flags.size() * 2 - 1) return false;
    AccessibilityFlags result = flags;
    for (std::size_t i = 0; i < flags.size(); ++i) {
        const char bit = record[i * 2];
        if ((bit != '0' && bit != '1') || (i > 0 && record[i * 2 - 1] != ';')) return false;
        result[i] = bit == '1' ? (result[i] | kHotKeyActive) : (result[i] & ~kHotKeyActive);
    }
    flags = result;
    return true;
}

void SwitchOffAccessibilityHotKeys(const SecurityTarget& target) {
    target.Note("SystemParametersInfo: accessibility hot keys off");
    AccessibilityFlags flags{};
    if (!target.system.ReadAccessibilityFlags(flags)) return;
    SettingValue kept = std::string();
    target.settings.ReadSetting(kCurrentUser, kProgramKey, kHotKeysValueName, "S", kept);
    if (std::get<std::string>(kept).empty()) {
        // Without the record the hot keys stay as they are, so nothing is lost.
        if (target.settings.WriteSetting(kCurrentUser, kProgramKey, kHotKeysValueName, "S",
                                         HotKeysRecord(flags)) != 0) {
            return;
        }
    }
    for (std::uint32_t& feature : flags) feature &= ~kHotKeyActive;
    target.system.WriteAccessibilityFlags(flags);
}

void RestoreAccessibilityHotKeys(const SecurityTarget& target) {
    target.Note("SystemParametersInfo: accessibility hot keys as they were");
    SettingValue kept = std::string();
    if (target.settings.ReadSetting(kCurrentUser, kProgramKey, kHotKeysValueName, "S", kept) != 0) {
        return;
    }
    AccessibilityFlags flags{};
    if (target.system.ReadAccessibilityFlags(flags) &&
        ApplyHotKeysRecord(std::get<std::string>(kept), flags)) {
        target.system.WriteAccessibilityFlags(flags);
    }
    target.settings.registry().DeleteValue(Hive::CurrentUser, kProgramKey, kHotKeysValueName);
}

}  // namespace vallora
