#pragma once
// A registry port that passes every call on and, when it goes out of scope,
// takes back every change made through it in reverse order: old values are
// written back, new values and keys removed, deleted keys made again. Tests
// that change the real registry leave it as they found it.
#include <optional>
#include <string>
#include <vector>

#include "platform/registry_port.h"

namespace vallora::security_test {

class UndoRegistry : public RegistryPort {
  public:
    explicit UndoRegistry(RegistryPort& target) : target_(target) {}
    ~UndoRegistry() override { Undo(); }
    UndoRegistry(const UndoRegistry&) = delete;
    UndoRegistry& operator=(const UndoRegistry&) = delete;

    long ReadValue(Hive hive, const std::string& key, const std::string& name,
                   RegistryValue& out) override {
        return target_.ReadValue(hive, key, name, out);
    }
    long EnumSubKeyNames(Hive hive, const std::string& key,
                         std::vector<std::string>& names) override {
        return target_.EnumSubKeyNames(hive, key, names);
    }
    long EnumValues(Hive hive, const std::string& key,
                    std::vector<RegistryValue>& values) override {
        return target_.EnumValues(hive, key, values);
    }

    long WriteValue(Hive hive, const std::string& key, const RegistryValue& value) override {
        for (size_t end = key.find('\\');; end = key.find('\\', end + 1)) {
            const std::string prefix = key.substr(0, end);
            if (!Exists(hive, prefix)) steps_.push_back({Step::CreatedKey, hive, prefix});
            if (end == std::string::npos) break;
        }
        RememberValue(hive, key, value.name);
        return target_.WriteValue(hive, key, value);
    }
    long DeleteValue(Hive hive, const std::string& key, const std::string& name) override {
        RememberValue(hive, key, name);
        return target_.DeleteValue(hive, key, name);
    }
    long DeleteSubKey(Hive hive, const std::string& key, const std::string& subKey) override {
        Step step{Step::DeletedKey, hive, subKey.empty() ? key : key + "\\" + subKey};
        if (Exists(hive, step.key)) {
            target_.EnumValues(hive, step.key, step.values);
            steps_.push_back(step);
        }
        return target_.DeleteSubKey(hive, key, subKey);
    }

    void Undo() {
        for (auto step = steps_.rbegin(); step != steps_.rend(); ++step) {
            switch (step->kind) {
                case Step::Value:
                    if (step->oldValue) {
                        target_.WriteValue(step->hive, step->key, *step->oldValue);
                    } else {
                        target_.DeleteValue(step->hive, step->key, step->name);
                    }
                    break;
                case Step::CreatedKey:
                    target_.DeleteSubKey(step->hive, step->key, "");
                    break;
                case Step::DeletedKey: {
                    RegistryValue marker{"", kRegSz, {0}};
                    target_.WriteValue(step->hive, step->key, marker);
                    target_.DeleteValue(step->hive, step->key, "");
                    for (const RegistryValue& value : step->values) {
                        target_.WriteValue(step->hive, step->key, value);
                    }
                    break;
                }
            }
        }
        steps_.clear();
    }

  private:
    struct Step {
        enum Kind { Value, CreatedKey, DeletedKey } kind;
        Hive hive;
        std::string key;
        std::string name = {};
        std::optional<RegistryValue> oldValue = {};
        std::vector<RegistryValue> values = {};
    };

    bool Exists(Hive hive, const std::string& key) {
        std::vector<std::string> names;
        return target_.EnumSubKeyNames(hive, key, names) == kStatusOk;
    }
    void RememberValue(Hive hive, const std::string& key, const std::string& name) {
        Step step{Step::Value, hive, key, name};
        RegistryValue old;
        if (target_.ReadValue(hive, key, name, old) == kStatusOk) step.oldValue = old;
        steps_.push_back(step);
    }

    RegistryPort& target_;
    std::vector<Step> steps_;
};

}  // namespace vallora::security_test
