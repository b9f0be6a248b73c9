#pragma once
// A registry held in memory, with the system's rules: key and value names
// match without regard to letter case, writes create the keys on their path,
// a key with subkeys cannot be deleted, subkeys enumerate in name order.
// Native tests and dry runs use it in place of the real registry.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "platform/registry_port.h"

namespace vallora {

class MemoryRegistry : public RegistryPort {
  public:
    MemoryRegistry();
    ~MemoryRegistry() override;
    MemoryRegistry(const MemoryRegistry&) = delete;
    MemoryRegistry& operator=(const MemoryRegistry&) = delete;

    long ReadValue(Hive hive, const std::string& keyPath, const std::string& name,
                   RegistryValue& out) override;
    long WriteValue(Hive hive, const std::string& keyPath, const RegistryValue& value) override;
    long DeleteValue(Hive hive, const std::string& keyPath, const std::string& name) override;
    long DeleteSubKey(Hive hive, const std::string& keyPath, const std::string& subKey) override;
    long EnumSubKeyNames(Hive hive, const std::string& keyPath,
                         std::vector<std::string>& names) override;
    long EnumValues(Hive hive, const std::string& keyPath,
                    std::vector<RegistryValue>& values) override;

    bool KeyExists(Hive hive, const std::string& keyPath) const;

  private:
    struct Key;
    const Key* Find(Hive hive, const std::string& keyPath, long& status) const;
    Key* Find(Hive hive, const std::string& keyPath, long& status);

    std::array<std::unique_ptr<Key>, 6> hives_;
};

}  // namespace vallora
