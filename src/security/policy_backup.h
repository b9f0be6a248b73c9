#pragma once
// The state that policy values had before Vallora wrote them, kept in a
// backup key of Vallora's own, so that a reset deletes what Vallora added,
// writes back what it replaced and touches nothing else:
//   <backup>\Previous\<subkey>  each replaced value as it was, with its type
//   <backup>\Added\<subkey>     an empty text value for each value Vallora created
// A value is recorded the first time only: a second apply (a restarted
// session) finds it recorded and keeps the state from before the first.
// Keys are left in place, even when a reset leaves them empty: a key without
// values sets no policy, while a key deletion in a .reg file made of the
// reset would take everything below it on the PC that imports it.
#include <span>
#include <string>
#include <vector>

#include "storage/settings.h"

namespace vallora {

// One value to be written below a policy key.
struct PolicyChange {
    std::string subKey;  // below the policy key; empty for the key itself
    std::string name;
    SettingValue value;  // a number is written as REG_DWORD, text as REG_SZ
};

// Records the previous state of every change not recorded yet.
// Returns, for each change, whether its previous state is kept: a change
// whose state could not be kept must not be made, or no reset could take it
// back.
// `hive` is a hive name ("HKLM"); policy and backup key are in that hive.
std::vector<bool> KeepPreviousState(Settings& settings, const std::string& hive,
                                    const std::string& policyKey, const std::string& backupKey,
                                    std::span<const PolicyChange> changes);

// When the backup key exists: deletes the values that were added, writes
// back the replaced ones, and removes the backup once every value was dealt
// with (otherwise it stays for the next reset). Returns false when there was
// no backup.
bool RestorePreviousState(Settings& settings, const std::string& hive, const std::string& policyKey,
                          const std::string& backupKey);

}  // namespace vallora
