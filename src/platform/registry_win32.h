#pragma once
// The system registry behind RegistryPort, through the ANSI registry calls.
// Every call opens, uses and closes its own key handle.
#include <windows.h>

#include "platform/registry_port.h"

namespace vallora {

HKEY HiveKey(Hive hive);

class RegistryWin32 : public RegistryPort {
  public:
    long ReadValue(Hive hive, const std::string& keyPath, const std::string& name,
                   RegistryValue& out) override;
    long WriteValue(Hive hive, const std::string& keyPath, const RegistryValue& value) override;
    long DeleteValue(Hive hive, const std::string& keyPath, const std::string& name) override;
    long DeleteSubKey(Hive hive, const std::string& keyPath, const std::string& subKey) override;
    long EnumSubKeyNames(Hive hive, const std::string& keyPath,
                         std::vector<std::string>& names) override;
    long EnumValues(Hive hive, const std::string& keyPath,
                    std::vector<RegistryValue>& values) override;
};

}  // namespace vallora
