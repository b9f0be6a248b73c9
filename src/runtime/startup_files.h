#pragma once
// The definition's start-up list: one command line or document per line.
#include <string>
#include <vector>

namespace vallora {

// Splits the text at every CR LF, trims blanks at both ends of each line and
// leaves out the lines that are then empty.
std::vector<std::string> StartupFileLines(const std::string& text);

}  // namespace vallora
