#pragma once
// Readable one-line forms of registry changes and key trees, so that tests
// can compare whole sequences and show the difference when they fail.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/registry_port.h"
#include "storage/recording_registry.h"

namespace vallora::security_test {

inline std::string HiveShort(Hive hive) {
    switch (hive) {
        case Hive::CurrentUser:
            return "HKCU";
        case Hive::LocalMachine:
            return "HKLM";
        default:
            return "other";
    }
}

// "D 5", "S text" or the type and bytes in hex for anything else.
inline std::string DataText(const RegistryValue& value) {
    if (value.type == kRegDword && value.data.size() == 4) {
        const uint32_t n = value.data[0] | value.data[1] << 8 | value.data[2] << 16 |
                           static_cast<uint32_t>(value.data[3]) << 24;
        return "D " + std::to_string(n);
    }
    if (value.type == kRegSz && !value.data.empty() && value.data.back() == 0) {
        return "S " + std::string(value.data.begin(), value.data.end() - 1);
    }
    std::string text = "type " + std::to_string(value.type) + ":";
    for (uint8_t byte : value.data) {
        char hex[4];
        std::snprintf(hex, sizeof hex, " %02x", byte);
        text += hex;
    }
    return text;
}

// Expected lines are written with these.
inline std::string Dword(const std::string& hive, const std::string& key, const std::string& name,
                         uint32_t number) {
    return hive + "\\" + key + " [" + name + "] D " + std::to_string(number);
}
inline std::string Text(const std::string& hive, const std::string& key, const std::string& name,
                        const std::string& text) {
    return hive + "\\" + key + " [" + name + "] S " + text;
}
inline std::string DeletedKey(const std::string& hive, const std::string& key) {
    return "delete " + hive + "\\" + key;
}
inline std::string Note(const std::string& text) {
    return "; " + text;
}

// The lines without those of the current browsers' policies and of the
// state kept for them, which browser_policies_test checks on their own.
inline std::vector<std::string> WithoutCurrentBrowsers(std::vector<std::string> lines) {
    std::erase_if(lines, [](const std::string& line) {
        for (const char* key : {"\\Policies\\Microsoft\\Edge", "\\Policies\\Google",
                                "\\Vallora\\Backup\\Edge", "\\Vallora\\Backup\\Chrome"}) {
            if (line.find(key) != std::string::npos) return true;
        }
        return false;
    });
    return lines;
}

inline std::vector<std::string> ChangeLines(const std::vector<RecordedChange>& changes) {
    std::vector<std::string> lines;
    for (const RecordedChange& change : changes) {
        const std::string where = HiveShort(change.hive) + "\\" + change.keyPath;
        switch (change.kind) {
            case RecordedChange::Kind::WriteValue:
                lines.push_back(where + " [" + change.value.name + "] " + DataText(change.value));
                break;
            case RecordedChange::Kind::DeleteValue:
                lines.push_back("delete " + where + " [" + change.value.name + "]");
                break;
            case RecordedChange::Kind::DeleteKey:
                lines.push_back("delete " + where);
                break;
            case RecordedChange::Kind::Comment:
                lines.push_back(Note(change.text));
                break;
        }
    }
    return lines;
}

// Every key below `keyPath` (relative paths, "" for the key itself) and every
// value with its type and data, in enumeration order.
inline void DumpTree(RegistryPort& registry, Hive hive, const std::string& keyPath,
                     const std::string& relative, std::vector<std::string>& lines) {
    lines.push_back("key " + relative);
    std::vector<RegistryValue> values;
    registry.EnumValues(hive, keyPath, values);
    for (const RegistryValue& value : values) {
        lines.push_back(relative + " [" + value.name + "] " + DataText(value));
    }
    std::vector<std::string> names;
    registry.EnumSubKeyNames(hive, keyPath, names);
    for (const std::string& name : names) {
        DumpTree(registry, hive, keyPath + "\\" + name, relative + "\\" + name, lines);
    }
}

inline std::vector<std::string> TreeLines(RegistryPort& registry, Hive hive,
                                          const std::string& keyPath) {
    std::vector<std::string> lines;
    DumpTree(registry, hive, keyPath, "", lines);
    return lines;
}

// The values of TreeLines alone: keys that a reset leaves empty do not count.
inline std::vector<std::string> TreeValueLines(RegistryPort& registry, Hive hive,
                                               const std::string& keyPath) {
    std::vector<std::string> lines = TreeLines(registry, hive, keyPath);
    std::erase_if(lines, [](const std::string& line) { return line.rfind("key ", 0) == 0; });
    return lines;
}

}  // namespace vallora::security_test
