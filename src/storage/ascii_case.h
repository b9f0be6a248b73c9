#pragma once
// Letter-case rules of registry names, profile sections and keys, hive names
// and type letters: only the ASCII letters fold, whatever the locale.
#include <algorithm>
#include <string>
#include <string_view>

namespace vallora {

constexpr char AsciiUpper(char c) noexcept {
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}
constexpr char AsciiLower(char c) noexcept {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

inline std::string ToUpperAscii(std::string_view text) {
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(), AsciiUpper);
    return upper;
}

constexpr bool EqualsNoCase(std::string_view a, std::string_view b) noexcept {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return AsciiUpper(x) == AsciiUpper(y); });
}

// Orders names as the registry enumerates subkeys: letters folded to lower
// case, then byte by byte (so "_x" comes before "A").
constexpr int CompareNoCase(std::string_view a, std::string_view b) noexcept {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(AsciiLower(a[i]));
        const auto y = static_cast<unsigned char>(AsciiLower(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace vallora
