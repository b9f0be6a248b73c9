#include "storage/memory_registry.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "storage/ascii_case.h"

namespace vallora {

struct MemoryRegistry::Key {
    std::string name;
    std::vector<RegistryValue> values;          // in creation order
    std::vector<std::unique_ptr<Key>> subkeys;  // in name order

    Key* Child(std::string_view childName) const {
        for (const auto& sub : subkeys) {
            if (EqualsNoCase(sub->name, childName)) return sub.get();
        }
        return nullptr;
    }
    Key* AddChild(std::string_view childName) {
        auto at = std::find_if(subkeys.begin(), subkeys.end(), [&](const auto& sub) {
            return CompareNoCase(sub->name, childName) > 0;
        });
        auto key = std::make_unique<Key>();
        key->name = std::string(childName);
        return subkeys.insert(at, std::move(key))->get();
    }
    std::vector<RegistryValue>::iterator FindValue(std::string_view valueName) {
        return std::find_if(values.begin(), values.end(), [&](const RegistryValue& v) {
            return EqualsNoCase(v.name, valueName);
        });
    }
};

namespace {

// Splits a key path into its names. A leading backslash is refused, as the
// system refuses it; empty names elsewhere (doubled or trailing backslashes)
// are skipped, as the system skips them.
long SplitPath(std::string_view path, std::vector<std::string_view>& names) {
    names.clear();
    if (!path.empty() && path.front() == '\\') return kStatusBadPathname;
    while (!path.empty()) {
        const size_t end = path.find('\\');
        const std::string_view name = path.substr(0, end);
        if (!name.empty()) names.push_back(name);
        path.remove_prefix(end == std::string_view::npos ? path.size() : end + 1);
    }
    return kStatusOk;
}

}  // namespace

MemoryRegistry::MemoryRegistry() {
    for (auto& root : hives_) root = std::make_unique<Key>();
}

MemoryRegistry::~MemoryRegistry() = default;

const MemoryRegistry::Key* MemoryRegistry::Find(Hive hive, const std::string& keyPath,
                                                long& status) const {
    std::vector<std::string_view> names;
    status = SplitPath(keyPath, names);
    if (status != kStatusOk) return nullptr;
    const Key* key = hives_[static_cast<size_t>(hive)].get();
    for (std::string_view name : names) {
        key = key->Child(name);
        if (!key) {
            status = kStatusNotFound;
            return nullptr;
        }
    }
    return key;
}

MemoryRegistry::Key* MemoryRegistry::Find(Hive hive, const std::string& keyPath, long& status) {
    return const_cast<Key*>(std::as_const(*this).Find(hive, keyPath, status));
}

bool MemoryRegistry::KeyExists(Hive hive, const std::string& keyPath) const {
    long status = kStatusOk;
    return Find(hive, keyPath, status) != nullptr;
}

long MemoryRegistry::ReadValue(Hive hive, const std::string& keyPath, const std::string& name,
                               RegistryValue& out) {
    long status = kStatusOk;
    Key* key = Find(hive, keyPath, status);
    if (!key) return status;
    auto value = key->FindValue(name);
    if (value == key->values.end()) return kStatusNotFound;
    out = *value;
    return kStatusOk;
}

long MemoryRegistry::WriteValue(Hive hive, const std::string& keyPath, const RegistryValue& value) {
    std::vector<std::string_view> names;
    if (long status = SplitPath(keyPath, names); status != kStatusOk) return status;
    Key* key = hives_[static_cast<size_t>(hive)].get();
    for (std::string_view name : names) {
        Key* child = key->Child(name);
        key = child ? child : key->AddChild(name);
    }
    auto existing = key->FindValue(value.name);
    if (existing == key->values.end()) {
        key->values.push_back(value);
    } else {
        // The stored name keeps the spelling it was created with.
        existing->type = value.type;
        existing->data = value.data;
    }
    return kStatusOk;
}

long MemoryRegistry::DeleteValue(Hive hive, const std::string& keyPath, const std::string& name) {
    long status = kStatusOk;
    Key* key = Find(hive, keyPath, status);
    if (!key) return status;
    auto value = key->FindValue(name);
    if (value == key->values.end()) return kStatusNotFound;
    key->values.erase(value);
    return kStatusOk;
}

long MemoryRegistry::DeleteSubKey(Hive hive, const std::string& keyPath,
                                  const std::string& subKey) {
    std::vector<std::string_view> names;
    if (long status = SplitPath(keyPath, names); status != kStatusOk) return status;
    std::vector<std::string_view> subNames;
    if (long status = SplitPath(subKey, subNames); status != kStatusOk) return status;
    names.insert(names.end(), subNames.begin(), subNames.end());
    // The hive's own root cannot be deleted.
    if (names.empty()) return kStatusAccessDenied;

    Key* parent = hives_[static_cast<size_t>(hive)].get();
    for (size_t i = 0; i + 1 < names.size(); ++i) {
        parent = parent->Child(names[i]);
        if (!parent) return kStatusNotFound;
    }
    auto target =
        std::find_if(parent->subkeys.begin(), parent->subkeys.end(),
                     [&](const auto& sub) { return EqualsNoCase(sub->name, names.back()); });
    if (target == parent->subkeys.end()) return kStatusNotFound;
    if (!(*target)->subkeys.empty()) return kStatusAccessDenied;
    parent->subkeys.erase(target);
    return kStatusOk;
}

long MemoryRegistry::EnumSubKeyNames(Hive hive, const std::string& keyPath,
                                     std::vector<std::string>& names) {
    long status = kStatusOk;
    const Key* key = Find(hive, keyPath, status);
    if (!key) return status;
    names.clear();
    for (const auto& sub : key->subkeys) names.push_back(sub->name);
    return kStatusOk;
}

long MemoryRegistry::EnumValues(Hive hive, const std::string& keyPath,
                                std::vector<RegistryValue>& values) {
    long status = kStatusOk;
    const Key* key = Find(hive, keyPath, status);
    if (!key) return status;
    values = key->values;
    return kStatusOk;
}

}  // namespace vallora
