#pragma once
// The system's registry and profile files as the portable core sees them.
// Win32 adapters implement these; native tests use in-memory and file-based
// stand-ins; vallora-tool records registry writes to print a .reg file.
#include <cstdint>
#include <string>
#include <vector>

namespace vallora {

enum class Hive { CurrentUser, LocalMachine, Users, DynData, CurrentConfig, ClassesRoot };

// Registry value types, numbered as the system numbers them.
inline constexpr uint32_t kRegSz = 1;
inline constexpr uint32_t kRegExpandSz = 2;
inline constexpr uint32_t kRegBinary = 3;
inline constexpr uint32_t kRegDword = 4;
inline constexpr uint32_t kRegMultiSz = 7;

// Status codes are Win32 error codes: 0 success, 2 not found, ...
inline constexpr long kStatusOk = 0;
inline constexpr long kStatusNotFound = 2;
inline constexpr long kStatusAccessDenied = 5;
inline constexpr long kStatusInvalidHandle = 6;
inline constexpr long kStatusWriteFault = 29;
inline constexpr long kStatusInvalidParameter = 87;
inline constexpr long kStatusBadPathname = 161;
inline constexpr long kStatusMoreData = 234;

struct RegistryValue {
    std::string name;  // empty: the key's default value
    uint32_t type = kRegSz;
    std::vector<uint8_t> data;  // REG_SZ data carries its terminating zero

    bool operator==(const RegistryValue&) const = default;
};

class RegistryPort {
  public:
    virtual ~RegistryPort() = default;
    // Reads one value; kStatusNotFound when the key or the value is missing.
    virtual long ReadValue(Hive hive, const std::string& keyPath, const std::string& name,
                           RegistryValue& out) = 0;
    // Creates every missing key on the path, then stores the value.
    virtual long WriteValue(Hive hive, const std::string& keyPath, const RegistryValue& value) = 0;
    virtual long DeleteValue(Hive hive, const std::string& keyPath, const std::string& name) = 0;
    // Deletes the named subkey of keyPath; it must have no subkeys. An empty
    // subKey deletes keyPath itself.
    virtual long DeleteSubKey(Hive hive, const std::string& keyPath, const std::string& subKey) = 0;
    // Names of the direct subkeys, in the system's enumeration order.
    virtual long EnumSubKeyNames(Hive hive, const std::string& keyPath,
                                 std::vector<std::string>& names) = 0;
    virtual long EnumValues(Hive hive, const std::string& keyPath,
                            std::vector<RegistryValue>& values) = 0;
};

class ProfilePort {
  public:
    virtual ~ProfilePort() = default;
    // Section and key match without regard to case; at most 254 characters come back.
    virtual std::string GetString(const std::string& file, const std::string& section,
                                  const std::string& key, const std::string& defaultValue) = 0;
    // Returns false when the file could not be written.
    virtual bool WriteString(const std::string& file, const std::string& section,
                             const std::string& key, const std::string& value) = 0;
};

}  // namespace vallora
