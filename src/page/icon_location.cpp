#include "page/icon_location.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>

namespace vallora {
namespace {

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

int ParseIndex(const std::string& text) {
    const std::string digits = Trimmed(text);
    const char* begin = digits.data();
    if (!digits.empty() && digits.front() == '+') ++begin;
    long long value = 0;
    const auto [end, error] = std::from_chars(begin, digits.data() + digits.size(), value);
    if (error == std::errc::invalid_argument) return 0;
    // A number too large for an index names no icon.
    if (error == std::errc::result_out_of_range || value < INT_MIN || value > INT_MAX) return -1;
    return static_cast<int>(value);
}

// The text from the last "." of the last path part to its end, in lower case;
// empty when the last part has no dot.
std::string LowerExtension(const std::string& path) {
    const size_t nameStart = path.find_last_of("\\/");
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos || (nameStart != std::string::npos && dot < nameStart)) return {};
    std::string extension = path.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

// The key's default value as text; empty when it cannot be read.
std::string ReadClassesRootText(Settings& settings, const std::string& keyPath) {
    SettingValue value = std::string();
    settings.ReadSetting("HKCR", keyPath, "", "S", value);
    return std::get<std::string>(value);
}

}  // namespace

IconLocation ParseIconLocation(const std::string& location) {
    const std::string text = Trimmed(location);
    IconLocation result;
    const size_t lastComma = text.rfind(',');
    if (!text.empty() && text.front() == '"' && text.find('"', 1) != std::string::npos) {
        const size_t closing = text.find('"', 1);
        result.file = text.substr(1, closing - 1);
        if (lastComma != std::string::npos && lastComma > closing) {
            result.index = ParseIndex(text.substr(lastComma + 1));
        }
        return result;
    }
    result.file = Trimmed(text.substr(0, text.find(',')));
    if (lastComma != std::string::npos) result.index = ParseIndex(text.substr(lastComma + 1));
    return result;
}

IconLocation ResolveIconLocation(const std::string& source, Settings& settings,
                                 const EnvironmentExpander& expand) {
    const std::string extension = LowerExtension(source);
    if (extension == ".exe") return {expand(source), 0};
    if (extension.empty()) return {};
    const std::string fileType = ReadClassesRootText(settings, extension);
    if (fileType.empty()) return {};
    return ParseIconLocation(expand(ReadClassesRootText(settings, fileType + "\\DefaultIcon")));
}

}  // namespace vallora
