#pragma once
// The program's command tail: everything after the program name.
#include <string>
#include <string_view>

namespace vallora {

// Skips the program name (quoted or not) and the blanks that follow it; the
// rest is returned unchanged, quotes and trailing blanks included, because
// the whole tail is one definition path.
std::string CommandTail(std::string_view commandLine);

}  // namespace vallora
