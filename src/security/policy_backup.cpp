#include "security/policy_backup.h"

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
    for (size_t i = 0; i < changes.size(); ++i) {
        const PolicyChange& change = changes[i];
        const std::string previous = JoinKey(backupKey + "\\Previous", change.subKey);
        const std::string added = JoinKey(backupKey + "\\Added", change.subKey);
        if (HasValue(registry, *root, previous, change.name) ||
            HasValue(registry, *root, added, change.name)) {
            kept[i] = true;
            continue;
        }
        RegistryValue old;
        const long status =
            registry.ReadValue(*root, JoinKey(policyKey, change.subKey), change.name, old);
        if (status == kStatusOk) {
            old.name = change.name;
            kept[i] = registry.WriteValue(*root, previous, old) == kStatusOk;
        } else if (status == kStatusNotFound) {
            kept[i] = registry.WriteValue(*root, added, {change.name, kRegSz, {0}}) == kStatusOk;
        }
        // Any other answer leaves it open whether the value is there: there
        // is no state to keep, so the change is not made.
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
    if (complete) settings.DeleteKeyTree(hive, backupKey, "");
    return true;
}

}  // namespace vallora
