#pragma once
// Typed access to registry values and profile-file entries with one set of
// arguments: a location (hive name, or else a profile file path), a key path
// or section, a value name or profile key, a type letter and a value.
//
// Type letters, in any letter case: "S" text (REG_SZ), "B" boolean (two bytes
// REG_BINARY, all bits set for true), "D" 32-bit integer (REG_DWORD). Profile
// files hold text only. Status codes are Win32 error codes; 99 means the
// location names neither a hive nor a file.
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "platform/registry_port.h"

namespace vallora {

using SettingValue = std::variant<std::string, bool, int32_t>;

inline constexpr long kStatusNoLocation = 99;

// The hive that a name ("HKCU", "hklm", ...) stands for; nullopt for any other
// text, which the operations take as a profile file path.
std::optional<Hive> HiveHandle(const std::string& name);

// A value as text the way the settings show it: "True"/"False", decimal numbers.
std::string SettingText(const SettingValue& value);

class Settings {
  public:
    Settings(RegistryPort& registry, ProfilePort& profile)
        : registry_(registry), profile_(profile) {}

    // `result` holds the default on entry and receives the value read; when
    // the read fails it keeps the default.
    long ReadSetting(const std::string& location, const std::string& keyPath,
                     const std::string& valueName, const std::string& type, SettingValue& result);
    long WriteSetting(const std::string& location, const std::string& keyPath,
                      const std::string& valueName, const std::string& type,
                      const SettingValue& value);

    // Removes key\subkey (or key itself when subkey is empty) with every key
    // below it, deepest first. Failures are skipped.
    void DeleteKeyTree(const std::string& hive, const std::string& key, const std::string& subkey);
    // Deletes one subkey without subkeys of its own; a subkey that does not
    // exist counts as deleted.
    long DeleteKey(const std::string& hive, const std::string& key, const std::string& subkey);
    // On success `list` becomes the names of the key's direct subkeys, blanks
    // trimmed, each followed by a NUL, then one more NUL; a key without subkeys
    // gives two NULs. On failure `list` is left as it was.
    long EnumSubKeys(const std::string& hive, const std::string& key, std::string& list);

    RegistryPort& registry() { return registry_; }
    ProfilePort& profile() { return profile_; }

  private:
    RegistryPort& registry_;
    ProfilePort& profile_;
};

}  // namespace vallora
