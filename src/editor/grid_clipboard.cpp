#include "editor/grid_clipboard.h"

#include <charconv>
#include <vector>

#include "storage/definition.h"

namespace vallora {
namespace {

std::optional<int> ParseIndex(std::string_view text, int limit) {
    if (text.empty()) return std::nullopt;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
    }
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value >= limit) {
        return std::nullopt;
    }
    return value;
}

bool EqualsIgnoringCase(std::string_view text, std::string_view word) {
    if (text.size() != word.size()) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        char w = word[i];
        if (w >= 'A' && w <= 'Z') w = static_cast<char>(w - 'A' + 'a');
        if (c != w) return false;
    }
    return true;
}

}  // namespace

std::string FormatGridClipboard(int row, int column, bool cut) {
    return std::to_string(row) + ";" + std::to_string(column) + ";" + (cut ? "True" : "False");
}

std::optional<GridClipboardPlace> ParseGridClipboard(std::string_view text) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (true) {
        const size_t next = text.find(';', start);
        parts.push_back(text.substr(start, next == std::string_view::npos ? next : next - start));
        if (next == std::string_view::npos) break;
        start = next + 1;
    }
    if (parts.size() != 3) return std::nullopt;
    const std::optional<int> row = ParseIndex(parts[0], kGridRows);
    const std::optional<int> column = ParseIndex(parts[1], kGridColumns);
    if (!row || !column) return std::nullopt;
    if (EqualsIgnoringCase(parts[2], "True")) return GridClipboardPlace{*row, *column, true};
    if (EqualsIgnoringCase(parts[2], "False")) return GridClipboardPlace{*row, *column, false};
    return std::nullopt;
}

}  // namespace vallora
