#include "security/policy_backup.h"

#include <algorithm>

#include "security/clients_backup.h"

namespace vallora {

namespace {

std::string JoinKey(const std::string& key, const std::string& subKey) {
    if (key.empty()) return subKey;
    return subKey.empty() ? key : key + "\\" + subKey;
}

bool HasValue(RegistryPort& registry, Hive hive, const std::string& key, const std::string& name) {
    RegistryValue value;
    return registry.ReadValue(hive, key, name, value) == kStatusOk;
}

RegistryValue EmptyText(const std::string& name) {
    return {name, kRegSz, {0}};
}

// The policy key and each key between it and `key`, shortest first. Keys
// above the policy key are not Vallora's to take away, even when empty.
std::vector<std::string> KeysOnPath(const std::string& policyKey, const std::string& key) {
    std::vector<std::string> keys{policyKey};
    for (size_t end = key.find('\\', policyKey.size()); end != std::string::npos;
         end = key.find('\\', end + 1)) {
        if (end > policyKey.size()) keys.push_back(key.substr(0, end));
    }
    if (key.size() > policyKey.size()) keys.push_back(key);
    return keys;
}

bool IsEmptyKey(RegistryPort& registry, Hive hive, const std::string& key) {
    std::vector<std::string> subKeys;
    std::vector<RegistryValue> values;
    return registry.EnumSubKeyNames(hive, key, subKeys) == kStatusOk && subKeys.empty() &&
           registry.EnumValues(hive, key, values) == kStatusOk && values.empty();
}

struct KeptValue {
    std::string subKey;
    RegistryValue value;
};

// Every value of the tree below `root`, with the subkey it sits in.
void CollectValues(RegistryPort& registry, Hive hive, const std::string& root,
                   const std::string& subKey, std::vector<KeptValue>& out) {
    std::vector<RegistryValue> values;
    if (registry.EnumValues(hive, JoinKey(root, subKey), values) == kStatusOk) {
        for (RegistryValue& value : values) out.push_back({subKey, std::move(value)});
    }
    std::vector<std::string> names;
    if (registry.EnumSubKeyNames(hive, JoinKey(root, subKey), names) == kStatusOk) {
        for (const std::string& name : names) {
            CollectValues(registry, hive, root, JoinKey(subKey, name), out);
        }
    }
}

}  // namespace

std::vector<bool> KeepPreviousState(Settings& settings, const std::string& hive,
                                    const std::string& policyKey, const std::string& backupKey,
                                    std::span<const PolicyChange> changes) {
    std::vector<bool> kept(changes.size(), false);
    const auto root = HiveHandle(hive);
    if (!root) return kept;
    RegistryPort& registry = settings.registry();
    const std::string created = backupKey + "\\Created";
    for (size_t i = 0; i < changes.size(); ++i) {
        kept[i] = true;
        for (const std::string& key :
             KeysOnPath(policyKey, JoinKey(policyKey, changes[i].subKey))) {
            if (KeyExists(registry, *root, key) || HasValue(registry, *root, created, key))
                continue;
            kept[i] = registry.WriteValue(*root, created, EmptyText(key)) == kStatusOk && kept[i];
        }
    }
    for (size_t i = 0; i < changes.size(); ++i) {
        const PolicyChange& change = changes[i];
        const std::string previous = JoinKey(backupKey + "\\Previous", change.subKey);
        const std::string added = JoinKey(backupKey + "\\Added", change.subKey);
        if (HasValue(registry, *root, previous, change.name) ||
            HasValue(registry, *root, added, change.name)) {
            continue;
        }
        RegistryValue old;
        const long status =
            registry.ReadValue(*root, JoinKey(policyKey, change.subKey), change.name, old);
        if (status == kStatusOk) {
            old.name = change.name;
            kept[i] = registry.WriteValue(*root, previous, old) == kStatusOk && kept[i];
        } else if (status == kStatusNotFound) {
            kept[i] =
                registry.WriteValue(*root, added, EmptyText(change.name)) == kStatusOk && kept[i];
        } else {
            // Neither there nor known to be missing: no state to keep.
            kept[i] = false;
        }
    }
    return kept;
}

bool RestorePreviousState(Settings& settings, const std::string& hive, const std::string& policyKey,
                          const std::string& backupKey) {
    const auto root = HiveHandle(hive);
    RegistryPort& registry = settings.registry();
    if (!root || !KeyExists(registry, *root, backupKey)) return false;

    bool complete = true;
    std::vector<KeptValue> added;
    CollectValues(registry, *root, backupKey + "\\Added", "", added);
    for (const KeptValue& kept : added) {
        const long status =
            registry.DeleteValue(*root, JoinKey(policyKey, kept.subKey), kept.value.name);
        complete = (status == kStatusOk || status == kStatusNotFound) && complete;
    }
    std::vector<KeptValue> previous;
    CollectValues(registry, *root, backupKey + "\\Previous", "", previous);
    for (const KeptValue& kept : previous) {
        complete =
            registry.WriteValue(*root, JoinKey(policyKey, kept.subKey), kept.value) == kStatusOk &&
            complete;
    }
    // Deepest first, so that a key whose only content was a created subkey
    // is empty when its turn comes. A key that holds something now stays.
    std::vector<RegistryValue> createdKeys;
    registry.EnumValues(*root, backupKey + "\\Created", createdKeys);
    std::stable_sort(createdKeys.begin(), createdKeys.end(),
                     [](const RegistryValue& a, const RegistryValue& b) {
                         return a.name.size() > b.name.size();
                     });
    for (const RegistryValue& key : createdKeys) {
        if (IsEmptyKey(registry, *root, key.name)) registry.DeleteSubKey(*root, key.name, "");
    }
    if (complete) settings.DeleteKeyTree(hive, backupKey, "");
    return true;
}

}  // namespace vallora
