#pragma once
// The wildcard match of the window searches: "*" any run of characters, "?"
// one character, "#" one digit, "[abc]" one character of the list ("[a-z]" a
// range, "[!abc]" any character not in the list). Letter case counts.
#include <string_view>

namespace vallora {

bool MatchesWildcard(std::string_view text, std::string_view pattern);

}  // namespace vallora
