#pragma once
// A registry port that refuses some changes, as a registry without the
// rights would, and passes everything else on.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/registry_port.h"
#include "storage/ascii_case.h"

namespace vallora::security_test {

class RefusingRegistry : public RegistryPort {
  public:
    // Whether a change is refused: the hive, the key, and the value written
    // or deleted (or the subkey deleted).
    using Refuses = std::function<bool(Hive, const std::string& key, const std::string& name)>;

    RefusingRegistry(RegistryPort& target, Refuses refuses)
        : target_(target), refuses_(std::move(refuses)) {}
    // Refuses every change below the key `refused` (in any hive).
    RefusingRegistry(RegistryPort& target, std::string refused)
        : RefusingRegistry(target, [prefix = std::move(refused)](Hive, const std::string& key,
                                                                 const std::string&) {
              return key.size() >= prefix.size() &&
                     EqualsNoCase(std::string_view(key).substr(0, prefix.size()), prefix);
          }) {}

    long ReadValue(Hive h, const std::string& k, const std::string& n, RegistryValue& v) override {
        return target_.ReadValue(h, k, n, v);
    }
    long WriteValue(Hive h, const std::string& k, const RegistryValue& v) override {
        return refuses_(h, k, v.name) ? kStatusAccessDenied : target_.WriteValue(h, k, v);
    }
    long DeleteValue(Hive h, const std::string& k, const std::string& n) override {
        return refuses_(h, k, n) ? kStatusAccessDenied : target_.DeleteValue(h, k, n);
    }
    long DeleteSubKey(Hive h, const std::string& k, const std::string& s) override {
        return refuses_(h, k, s) ? kStatusAccessDenied : target_.DeleteSubKey(h, k, s);
    }
    long EnumSubKeyNames(Hive h, const std::string& k, std::vector<std::string>& n) override {
        return target_.EnumSubKeyNames(h, k, n);
    }
    long EnumValues(Hive h, const std::string& k, std::vector<RegistryValue>& v) override {
        return target_.EnumValues(h, k, v);
    }

  private:
    RegistryPort& target_;
    Refuses refuses_;
};

}  // namespace vallora::security_test
