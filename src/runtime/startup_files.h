#pragma once
// The definition's start-up list: one command line or document per line.
#include <string>
#include <vector>

namespace vallora {

// Splits the text at every CR LF, trims blanks at both ends of each line and
// leaves out the lines that are then empty.
std::vector<std::string> StartupFileLines(const std::string& text);

// The list with path added as a line of its own: a last line without its
// CR LF gets one first, so the new path is never glued onto it.
std::string WithStartupFile(std::string text, const std::string& path);

}  // namespace vallora
