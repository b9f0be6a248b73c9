#pragma once
// A registry port that refuses every change below one key, as a registry
// without the rights would, and passes everything else on.
#include <string>
#include <utility>
#include <vector>

#include "platform/registry_port.h"
#include "storage/ascii_case.h"

namespace vallora::security_test {

class RefusingRegistry : public RegistryPort {
  public:
    RefusingRegistry(RegistryPort& target, std::string refused)
        : target_(target), refused_(std::move(refused)) {}
    long ReadValue(Hive h, const std::string& k, const std::string& n, RegistryValue& v) override {
        return target_.ReadValue(h, k, n, v);
    }
    long WriteValue(Hive h, const std::string& k, const RegistryValue& v) override {
        return Refused(k) ? kStatusAccessDenied : target_.WriteValue(h, k, v);
    }
    long DeleteValue(Hive h, const std::string& k, const std::string& n) override {
        return Refused(k) ? kStatusAccessDenied : target_.DeleteValue(h, k, n);
    }
    long DeleteSubKey(Hive h, const std::string& k, const std::string& s) override {
        return Refused(k) ? kStatusAccessDenied : target_.DeleteSubKey(h, k, s);
    }
    long EnumSubKeyNames(Hive h, const std::string& k, std::vector<std::string>& n) override {
        return target_.EnumSubKeyNames(h, k, n);
    }
    long EnumValues(Hive h, const std::string& k, std::vector<RegistryValue>& v) override {
        return target_.EnumValues(h, k, v);
    }

  private:
    bool Refused(const std::string& key) const {
        return key.size() >= refused_.size() &&
               EqualsNoCase(std::string_view(key).substr(0, refused_.size()), refused_);
    }
    RegistryPort& target_;
    std::string refused_;
};

}  // namespace vallora::security_test
