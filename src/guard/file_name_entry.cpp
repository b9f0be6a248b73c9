#include "guard/file_name_entry.h"

#include "storage/ascii_case.h"

namespace vallora {

namespace {

constexpr std::string_view kPathCharacters = "\\/:";
constexpr std::string_view kRefusedCharacters = "*?\"<>|%";
constexpr std::string_view kDeviceNames[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
constexpr std::string_view kNumberedDevices[] = {"COM", "LPT"};

// The part the system compares with device names: up to the first dot,
// without trailing blanks.
bool IsDeviceName(std::string_view name) {
    std::string_view base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
    for (const std::string_view device : kDeviceNames) {
        if (EqualsNoCase(base, device)) return true;
    }
    if (base.size() != 4 || base[3] < '1' || base[3] > '9') return false;
    for (const std::string_view device : kNumberedDevices) {
        if (EqualsNoCase(base.substr(0, 3), device)) return true;
    }
    return false;
}

}  // namespace

bool HasPathCharacters(std::string_view text) {
    return text.find_first_of(kPathCharacters) != std::string_view::npos;
}

std::string RemovePathCharacters(std::string_view text) {
    std::string name;
    name.reserve(text.size());
    for (const char c : text) {
        if (kPathCharacters.find(c) == std::string_view::npos) name += c;
    }
    return name;
}

bool IsPassableFileName(std::string_view name) {
    if (name.find_first_not_of(". ") == std::string_view::npos) return false;
    if (name.back() == '.' || name.back() == ' ') return false;
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 0x20) return false;
        if (kRefusedCharacters.find(c) != std::string_view::npos) return false;
    }
    return !IsDeviceName(name);
}

}  // namespace vallora
