#pragma once
// A registry port that passes every call on to another port and keeps, in
// order, each change made through it: written values, deleted values and
// deleted keys, plus comment lines for steps that are not registry changes.
// What it kept prints as a REGEDIT4 file, so a dry run of an operation can be
// rolled out to other PCs with the usual registry tools.
#include <string>
#include <vector>

#include "platform/registry_port.h"

namespace vallora {

struct RecordedChange {
    enum class Kind { WriteValue, DeleteValue, DeleteKey, Comment };

    Kind kind = Kind::Comment;
    Hive hive = Hive::CurrentUser;
    std::string keyPath;  // DeleteKey: the key removed, with everything below it
    RegistryValue value;  // WriteValue: the value; DeleteValue: only its name
    std::string text;     // Comment

    bool operator==(const RecordedChange&) const = default;
};

class RecordingRegistry : public RegistryPort {
  public:
    // Reads and changes go to `target`; changes are recorded whether or not
    // the target accepts them, since the record is what the caller asked for.
    explicit RecordingRegistry(RegistryPort& target) : target_(target) {}

    long ReadValue(Hive hive, const std::string& keyPath, const std::string& name,
                   RegistryValue& out) override;
    long WriteValue(Hive hive, const std::string& keyPath, const RegistryValue& value) override;
    long DeleteValue(Hive hive, const std::string& keyPath, const std::string& name) override;
    long DeleteSubKey(Hive hive, const std::string& keyPath, const std::string& subKey) override;
    long EnumSubKeyNames(Hive hive, const std::string& keyPath,
                         std::vector<std::string>& names) override;
    long EnumValues(Hive hive, const std::string& keyPath,
                    std::vector<RegistryValue>& values) override;

    // Adds a comment line at the current place of the record.
    void Comment(std::string text);

    const std::vector<RecordedChange>& Changes() const { return changes_; }

    // The record as a REGEDIT4 file with CR LF line ends.
    std::string RegFileText() const;

  private:
    RegistryPort& target_;
    std::vector<RecordedChange> changes_;
};

// "HKEY_LOCAL_MACHINE" and so on: the root names a .reg file uses.
const char* HiveRootName(Hive hive);

}  // namespace vallora
