#include "storage/ini_text.h"

#include <charconv>
#include <limits>

namespace vallora {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

bool StartsLine(std::string_view text, size_t pos) {
    return pos >= kLineEnd.size() &&
           text.substr(pos - kLineEnd.size(), kLineEnd.size()) == kLineEnd;
}

// First occurrence of needle that starts a line; the text's first position
// counts as a line start only when atTextStart is true.
size_t FindAtLineStart(std::string_view text, std::string_view needle, bool atTextStart) {
    for (size_t pos = text.find(needle); pos != std::string_view::npos;
         pos = text.find(needle, pos + 1)) {
        if ((pos == 0 && atTextStart) || StartsLine(text, pos)) return pos;
    }
    return std::string_view::npos;
}

}  // namespace

std::string_view IniSectionText(std::string_view text, std::string_view section) {
    std::string header;
    header.reserve(section.size() + 2);
    header.append("[").append(section).append("]");
    const size_t start = FindAtLineStart(text, header, true);
    if (start == std::string_view::npos) return {};
    const size_t end = text.find("\r\n[", start + header.size());
    return text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

std::string_view IniSectionValue(std::string_view sectionText, std::string_view key) {
    std::string tag;
    tag.reserve(key.size() + 1);
    tag.append(key).append("=");
    const size_t pos = FindAtLineStart(sectionText, tag, false);
    if (pos == std::string_view::npos) return {};
    const std::string_view rest = sectionText.substr(pos + tag.size());
    return rest.substr(0, rest.find(kLineEnd));
}

std::string ReadIniTextValue(std::string_view text, std::string_view section, std::string_view key,
                             std::string_view defaultValue) {
    const std::string_view value = IniSectionValue(IniSectionText(text, section), key);
    return std::string(value.empty() ? defaultValue : value);
}

std::optional<int32_t> ParseIniInteger(std::string_view text) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    // from_chars takes a leading "-" but not "+".
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (text.empty() || text.front() == '-') return std::nullopt;
    }
    if (text.empty()) return std::nullopt;
    int64_t number = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (number < std::numeric_limits<int32_t>::min() ||
        number > std::numeric_limits<int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<int32_t>(number);
}

}  // namespace vallora
