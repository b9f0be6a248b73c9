#pragma once
// A registry port that refuses to write one value, as a key whose rights
// keep the account out would, and passes everything else on.
#include <string>
#include <utility>
#include <vector>

#include "platform/registry_port.h"
#include "storage/ascii_case.h"

namespace vallora::audit_test {

class ValueRefusingRegistry : public RegistryPort {
  public:
    ValueRefusingRegistry(RegistryPort& target, Hive hive, std::string key, std::string name)
        : target_(target), hive_(hive), key_(std::move(key)), name_(std::move(name)) {}
    long ReadValue(Hive h, const std::string& k, const std::string& n, RegistryValue& v) override {
        return target_.ReadValue(h, k, n, v);
    }
    long WriteValue(Hive h, const std::string& k, const RegistryValue& v) override {
        return Refused(h, k, v.name) ? kStatusAccessDenied : target_.WriteValue(h, k, v);
    }
    long DeleteValue(Hive h, const std::string& k, const std::string& n) override {
        return Refused(h, k, n) ? kStatusAccessDenied : target_.DeleteValue(h, k, n);
    }
    long DeleteSubKey(Hive h, const std::string& k, const std::string& s) override {
        return target_.DeleteSubKey(h, k, s);
    }
    long EnumSubKeyNames(Hive h, const std::string& k, std::vector<std::string>& n) override {
        return target_.EnumSubKeyNames(h, k, n);
    }
    long EnumValues(Hive h, const std::string& k, std::vector<RegistryValue>& v) override {
        return target_.EnumValues(h, k, v);
    }

  private:
    bool Refused(Hive h, const std::string& k, const std::string& n) const {
        return h == hive_ && EqualsNoCase(k, key_) && EqualsNoCase(n, name_);
    }
    RegistryPort& target_;
    Hive hive_;
    std::string key_;
    std::string name_;
};

}  // namespace vallora::audit_test
