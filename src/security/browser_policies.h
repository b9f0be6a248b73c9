#pragma once
// The definition's browser settings as machine policies of the current
// browsers, Edge and then Chrome: downloads, developer tools, the favourites
// bar and editing, the file dialogs, the home page, and a list of blocked
// addresses. The state each value had before is kept (policy_backup.h), so
// the reset deletes what was added, writes back what was replaced, and keeps
// the entries of a blocked-address list that were there before.
#include <string>
#include <vector>

#include "security/policy_backup.h"
#include "security/security_target.h"
#include "storage/definition.h"

namespace vallora {

inline constexpr char kEdgePoliciesBackupKey[] = "Software\\Brenmark\\Vallora\\Backup\\Edge";
inline constexpr char kChromePoliciesBackupKey[] = "Software\\Brenmark\\Vallora\\Backup\\Chrome";

void ApplyBrowserPolicies(const Definition& definition, const SecurityTarget& target);
void ResetBrowserPolicies(const SecurityTarget& target);

// The entries a blocked-address list gains: each pattern it does not hold
// yet (letter case aside), under the lowest entry number ("1", "2", ...)
// still free. The browser reads the entries from "1" up to the first gap, so
// an entry past a gap would be ignored.
std::vector<PolicyChange> NewListEntries(const std::vector<RegistryValue>& entries,
                                         const std::string& subKey,
                                         const std::vector<std::string>& patterns);

}  // namespace vallora
