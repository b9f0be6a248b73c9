#include "security/clients_backup.h"

#include <vector>

#include "storage/settings.h"

namespace vallora {

bool KeyExists(RegistryPort& registry, Hive hive, const std::string& keyPath) {
    std::vector<std::string> names;
    return registry.EnumSubKeyNames(hive, keyPath, names) == kStatusOk;
}

bool CopyKeyTree(RegistryPort& registry, Hive hive, const std::string& from,
                 const std::string& to) {
    std::vector<RegistryValue> values;
    std::vector<std::string> subKeys;
    if (registry.EnumValues(hive, from, values) != kStatusOk ||
        registry.EnumSubKeyNames(hive, from, subKeys) != kStatusOk) {
        return false;
    }
    bool complete = true;
    for (const RegistryValue& value : values) {
        complete = registry.WriteValue(hive, to, value) == kStatusOk && complete;
    }
    if (values.empty() && subKeys.empty() && !KeyExists(registry, hive, to)) {
        // The port creates keys only by writing a value: write the default
        // value and take it away again, which leaves an empty key.
        RegistryValue marker;
        marker.data = {0};
        complete = registry.WriteValue(hive, to, marker) == kStatusOk &&
                   registry.DeleteValue(hive, to, marker.name) == kStatusOk && complete;
    }
    for (const std::string& name : subKeys) {
        complete = CopyKeyTree(registry, hive, from + "\\" + name, to + "\\" + name) && complete;
    }
    return complete;
}

bool BackupClients(RegistryPort& registry) {
    if (!KeyExists(registry, Hive::LocalMachine, kClientsKey)) return true;
    return CopyKeyTree(registry, Hive::LocalMachine, kClientsKey, kClientsBackupKey);
}

void RestoreClients(Settings& settings) {
    RegistryPort& registry = settings.registry();
    if (!KeyExists(registry, Hive::LocalMachine, kClientsBackupKey)) return;
    if (!CopyKeyTree(registry, Hive::LocalMachine, kClientsBackupKey, kClientsKey)) return;
    settings.DeleteKeyTree("HKLM", kClientsBackupKey, "");
    DeleteBackupFolderWhenEmpty(registry);
}

void DeleteBackupFolderWhenEmpty(RegistryPort& registry) {
    std::vector<std::string> subKeys;
    std::vector<RegistryValue> values;
    if (registry.EnumSubKeyNames(Hive::LocalMachine, kClientsBackupParent, subKeys) == kStatusOk &&
        subKeys.empty() &&
        registry.EnumValues(Hive::LocalMachine, kClientsBackupParent, values) == kStatusOk &&
        values.empty()) {
        registry.DeleteSubKey(Hive::LocalMachine, kClientsBackupParent, "");
    }
}

}  // namespace vallora
