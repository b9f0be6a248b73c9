#pragma once
// A registry port that refuses to write one value, as a key whose rights
// keep the account out would, and passes everything else on.
#include <string>
#include <utility>

#include "storage/ascii_case.h"
#include "unit/security/refusing_registry.h"

namespace vallora::audit_test {

class ValueRefusingRegistry : public security_test::RefusingRegistry {
  public:
    ValueRefusingRegistry(RegistryPort& target, Hive hive, std::string key, std::string name)
        : RefusingRegistry(target, [hive, key = std::move(key), name = std::move(name)](
                                       Hive h, const std::string& k, const std::string& n) {
              return h == hive && EqualsNoCase(k, key) && EqualsNoCase(n, name);
          }) {}
};

}  // namespace vallora::audit_test
