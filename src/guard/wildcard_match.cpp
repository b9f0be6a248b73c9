#include "guard/wildcard_match.h"

#include <cstddef>

namespace vallora {

namespace {

// Matches one pattern element that stands for a single character; returns the
// element's length in the pattern, or 0 when `c` does not match it.
std::size_t MatchOne(std::string_view pattern, std::size_t p, char c) {
    const char token = pattern[p];
    if (token == '?') return 1;
    if (token == '#') return (c >= '0' && c <= '9') ? 1 : 0;
    if (token != '[') return token == c ? 1 : 0;

    const std::size_t close = pattern.find(']', p + 1);
    // An unclosed bracket is an ordinary character.
    if (close == std::string_view::npos) return c == '[' ? 1 : 0;
    std::size_t i = p + 1;
    const bool negated = i < close && pattern[i] == '!';
    if (negated) ++i;
    bool inList = false;
    for (; i < close; ++i) {
        if (i + 2 < close && pattern[i + 1] == '-') {
            inList = inList || (c >= pattern[i] && c <= pattern[i + 2]);
            i += 2;
        } else {
            inList = inList || c == pattern[i];
        }
    }
    return inList != negated ? close - p + 1 : 0;
}

}  // namespace

bool MatchesWildcard(std::string_view text, std::string_view pattern) {
    std::size_t t = 0;
    std::size_t p = 0;
    // Where to resume after the last "*": pattern after the star, and the
    // text position that star has swallowed up to.
    std::size_t starPattern = std::string_view::npos;
    std::size_t starText = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starPattern = ++p;
            starText = t;
            continue;
        }
        if (p < pattern.size()) {
            if (const std::size_t length = MatchOne(pattern, p, text[t]); length > 0) {
                p += length;
                ++t;
                continue;
            }
        }
        if (starPattern == std::string_view::npos) return false;
        p = starPattern;
        t = ++starText;
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

}  // namespace vallora
