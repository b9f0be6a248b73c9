#include "platform/registry_win32.h"

#include "platform/win32_handles_win32.h"

namespace vallora {

namespace {

// Longest key name the system allows, plus its NUL.
constexpr DWORD kKeyNameBuffer = 256;

long OpenKey(Hive hive, const std::string& keyPath, REGSAM access, UniqueHKEY& key) {
    return RegOpenKeyExA(HiveKey(hive), keyPath.c_str(), 0, access, key.put());
}

}  // namespace

HKEY HiveKey(Hive hive) {
    switch (hive) {
        case Hive::CurrentUser:
            return HKEY_CURRENT_USER;
        case Hive::LocalMachine:
            return HKEY_LOCAL_MACHINE;
        case Hive::Users:
            return HKEY_USERS;
        case Hive::DynData:
            return HKEY_DYN_DATA;
        case Hive::CurrentConfig:
            return HKEY_CURRENT_CONFIG;
        case Hive::ClassesRoot:
            return HKEY_CLASSES_ROOT;
    }
    return nullptr;
}

long RegistryWin32::ReadValue(Hive hive, const std::string& keyPath, const std::string& name,
                              RegistryValue& out) {
    UniqueHKEY key;
    if (long status = OpenKey(hive, keyPath, KEY_QUERY_VALUE, key); status != ERROR_SUCCESS) {
        return status;
    }
    DWORD type = 0;
    DWORD size = 0;
    long status = RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, nullptr, &size);
    std::vector<uint8_t> data;
    // The value may grow between asking its size and reading it.
    while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
        data.resize(size);
        status = RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, data.data(), &size);
        if (status == ERROR_SUCCESS) {
            data.resize(size);
            out.name = name;
            out.type = type;
            out.data = std::move(data);
            return ERROR_SUCCESS;
        }
    }
    return status;
}

long RegistryWin32::WriteValue(Hive hive, const std::string& keyPath, const RegistryValue& value) {
    UniqueHKEY key;
    long status =
        RegCreateKeyExA(HiveKey(hive), keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE | KEY_CREATE_SUB_KEY, nullptr, key.put(), nullptr);
    if (status != ERROR_SUCCESS) return status;
    return RegSetValueExA(key.get(), value.name.c_str(), 0, value.type, value.data.data(),
                          static_cast<DWORD>(value.data.size()));
}

long RegistryWin32::DeleteValue(Hive hive, const std::string& keyPath, const std::string& name) {
    UniqueHKEY key;
    if (long status = OpenKey(hive, keyPath, KEY_SET_VALUE, key); status != ERROR_SUCCESS) {
        return status;
    }
    return RegDeleteValueA(key.get(), name.c_str());
}

long RegistryWin32::DeleteSubKey(Hive hive, const std::string& keyPath, const std::string& subKey) {
    UniqueHKEY key;
    // Deleting the opened key itself (empty subkey) needs the right to delete it.
    const REGSAM access = subKey.empty() ? DELETE | KEY_CREATE_SUB_KEY : KEY_CREATE_SUB_KEY;
    if (long status = OpenKey(hive, keyPath, access, key); status != ERROR_SUCCESS) return status;
    return RegDeleteKeyA(key.get(), subKey.c_str());
}

long RegistryWin32::EnumSubKeyNames(Hive hive, const std::string& keyPath,
                                    std::vector<std::string>& names) {
    UniqueHKEY key;
    if (long status = OpenKey(hive, keyPath, KEY_ENUMERATE_SUB_KEYS, key);
        status != ERROR_SUCCESS) {
        return status;
    }
    std::vector<std::string> found;
    char name[kKeyNameBuffer];
    for (DWORD index = 0;; ++index) {
        DWORD length = kKeyNameBuffer;
        long status =
            RegEnumKeyExA(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS) break;
        if (status != ERROR_SUCCESS) return status;
        found.emplace_back(name, length);
    }
    names = std::move(found);
    return ERROR_SUCCESS;
}

long RegistryWin32::EnumValues(Hive hive, const std::string& keyPath,
                               std::vector<RegistryValue>& values) {
    UniqueHKEY key;
    if (long status = OpenKey(hive, keyPath, KEY_QUERY_VALUE, key); status != ERROR_SUCCESS) {
        return status;
    }
    DWORD maxName = 0;
    DWORD maxData = 0;
    long status = RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                   nullptr, &maxName, &maxData, nullptr, nullptr);
    if (status != ERROR_SUCCESS) return status;

    std::vector<RegistryValue> found;
    std::vector<char> name(maxName + 1);
    std::vector<uint8_t> data(maxData);
    for (DWORD index = 0;;) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD dataSize = static_cast<DWORD>(data.size());
        DWORD type = 0;
        status = RegEnumValueA(key.get(), index, name.data(), &nameLength, nullptr, &type,
                               data.data(), &dataSize);
        if (status == ERROR_NO_MORE_ITEMS) break;
        if (status == ERROR_MORE_DATA) {
            // A value was added or grew meanwhile: make room and ask again.
            name.resize(name.size() * 2 + kKeyNameBuffer);
            data.resize(std::max<size_t>(data.size() * 2, dataSize));
            continue;
        }
        if (status != ERROR_SUCCESS) return status;
        found.push_back({std::string(name.data(), nameLength), type,
                         std::vector<uint8_t>(data.begin(), data.begin() + dataSize)});
        ++index;
    }
    values = std::move(found);
    return ERROR_SUCCESS;
}

}  // namespace vallora
