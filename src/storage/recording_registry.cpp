#include "storage/recording_registry.h"

#include <cstdio>
#include <string_view>
#include <utility>

#include "storage/ascii_case.h"

namespace vallora {

long RecordingRegistry::ReadValue(Hive hive, const std::string& keyPath, const std::string& name,
                                  RegistryValue& out) {
    return target_.ReadValue(hive, keyPath, name, out);
}

long RecordingRegistry::WriteValue(Hive hive, const std::string& keyPath,
                                   const RegistryValue& value) {
    changes_.push_back({RecordedChange::Kind::WriteValue, hive, keyPath, value, {}});
    return target_.WriteValue(hive, keyPath, value);
}

long RecordingRegistry::DeleteValue(Hive hive, const std::string& keyPath,
                                    const std::string& name) {
    RegistryValue named;
    named.name = name;
    changes_.push_back({RecordedChange::Kind::DeleteValue, hive, keyPath, std::move(named), {}});
    return target_.DeleteValue(hive, keyPath, name);
}

long RecordingRegistry::DeleteSubKey(Hive hive, const std::string& keyPath,
                                     const std::string& subKey) {
    std::string deleted = subKey.empty() ? keyPath : keyPath + "\\" + subKey;
    changes_.push_back({RecordedChange::Kind::DeleteKey, hive, std::move(deleted), {}, {}});
    return target_.DeleteSubKey(hive, keyPath, subKey);
}

long RecordingRegistry::EnumSubKeyNames(Hive hive, const std::string& keyPath,
                                        std::vector<std::string>& names) {
    return target_.EnumSubKeyNames(hive, keyPath, names);
}

long RecordingRegistry::EnumValues(Hive hive, const std::string& keyPath,
                                   std::vector<RegistryValue>& values) {
    return target_.EnumValues(hive, keyPath, values);
}

void RecordingRegistry::Comment(std::string text) {
    RecordedChange note;
    note.text = std::move(text);
    changes_.push_back(std::move(note));
}

const char* HiveRootName(Hive hive) {
    switch (hive) {
        case Hive::CurrentUser:
            return "HKEY_CURRENT_USER";
        case Hive::LocalMachine:
            return "HKEY_LOCAL_MACHINE";
        case Hive::Users:
            return "HKEY_USERS";
        case Hive::DynData:
            return "HKEY_DYN_DATA";
        case Hive::CurrentConfig:
            return "HKEY_CURRENT_CONFIG";
        case Hive::ClassesRoot:
            return "HKEY_CLASSES_ROOT";
    }
    return "";
}

namespace {

constexpr char kLineEnd[] = "\r\n";

std::string Quoted(std::string_view text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') quoted += '\\';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::string ValueName(const std::string& name) {
    return name.empty() ? "@" : Quoted(name);
}

std::string HexBytes(uint32_t type, const std::vector<uint8_t>& data) {
    char prefix[16];
    if (type == kRegBinary) {
        std::snprintf(prefix, sizeof prefix, "hex:");
    } else {
        std::snprintf(prefix, sizeof prefix, "hex(%x):", static_cast<unsigned>(type));
    }
    std::string text = prefix;
    for (size_t i = 0; i < data.size(); ++i) {
        char byte[4];
        std::snprintf(byte, sizeof byte, i == 0 ? "%02x" : ",%02x", data[i]);
        text += byte;
    }
    return text;
}

// A text value is written in quotes only when that form reads back the same:
// one terminating zero and no line break or zero inside the text.
bool HasQuotableText(const std::vector<uint8_t>& data) {
    if (data.empty() || data.back() != 0) return false;
    for (size_t i = 0; i + 1 < data.size(); ++i) {
        if (data[i] == 0 || data[i] == '\r' || data[i] == '\n') return false;
    }
    return true;
}

std::string ValueData(const RegistryValue& value) {
    if (value.type == kRegSz && HasQuotableText(value.data)) {
        return Quoted(std::string_view(reinterpret_cast<const char*>(value.data.data()),
                                       value.data.size() - 1));
    }
    if (value.type == kRegDword && value.data.size() == 4) {
        const uint32_t number = value.data[0] | value.data[1] << 8 | value.data[2] << 16 |
                                static_cast<uint32_t>(value.data[3]) << 24;
        char text[24];
        std::snprintf(text, sizeof text, "dword:%08x", static_cast<unsigned>(number));
        return text;
    }
    return HexBytes(value.type, value.data);
}

}  // namespace

std::string RecordingRegistry::RegFileText() const {
    // Every block (a key with its values, a deleted key, a run of comments)
    // starts after a blank line; values of consecutive changes to the same
    // key share one block.
    using Kind = RecordedChange::Kind;
    std::string text = "REGEDIT4";
    text += kLineEnd;
    const RecordedChange* block = nullptr;
    for (const RecordedChange& change : changes_) {
        const bool valueChange =
            change.kind == Kind::WriteValue || change.kind == Kind::DeleteValue;
        const bool sameBlock =
            block && ((change.kind == Kind::Comment && block->kind == Kind::Comment) ||
                      (valueChange &&
                       (block->kind == Kind::WriteValue || block->kind == Kind::DeleteValue) &&
                       block->hive == change.hive && EqualsNoCase(block->keyPath, change.keyPath)));
        if (!sameBlock) {
            text += kLineEnd;
            if (change.kind != Kind::Comment) {
                text += change.kind == Kind::DeleteKey ? "[-" : "[";
                text += HiveRootName(change.hive);
                text += '\\';
                text += change.keyPath;
                text += ']';
                text += kLineEnd;
            }
            block = &change;
        }
        switch (change.kind) {
            case Kind::WriteValue:
                text += ValueName(change.value.name);
                text += '=';
                text += ValueData(change.value);
                break;
            case Kind::DeleteValue:
                text += ValueName(change.value.name);
                text += "=-";
                break;
            case Kind::Comment:
                text += "; ";
                text += change.text;
                break;
            case Kind::DeleteKey:
                continue;
        }
        text += kLineEnd;
    }
    return text;
}

}  // namespace vallora
