#pragma once
// The hot keys of the accessibility features (Shift pressed five times,
// right Shift held, Num Lock held, Alt+Shift+Print, Alt+Shift+Num Lock) open
// prompts that link into the system settings. A locked desktop switches the
// hot keys off and leaves the features themselves alone, so a visitor who
// needs one keeps it. The hot-key bits found first are kept in the registry
// of the user, where a crash cannot lose them, until the reset puts them
// back; a second switch-off (a restarted session) keeps the first record.
#include <cstdint>
#include <string>

#include "security/security_target.h"

namespace vallora {

// The hot-key bit, the same in the flags of all five features.
inline constexpr std::uint32_t kHotKeyActive = 0x4;
// Where the hot-key bits found first are kept: "1" or "0" per feature,
// separated by ";", in the order of the features.
inline constexpr const char* kHotKeysValueName = "AccessibilityHotKeys";

std::string HotKeysRecord(const AccessibilityFlags& flags);
// Flags with the hot-key bit of each feature set as in the record; false for
// a record that is not one.
bool ApplyHotKeysRecord(const std::string& record, AccessibilityFlags& flags);

void SwitchOffAccessibilityHotKeys(const SecurityTarget& target);
void RestoreAccessibilityHotKeys(const SecurityTarget& target);

}  // namespace vallora
