#pragma once
// Where the desktop page of a definition lives, and the editor's preview page.
#include <string>

namespace vallora {

// The definition path up to and including its last "." followed by "hta":
// C:\Desks\Kiosk.vla gives C:\Desks\Kiosk.hta; a path without "." gives "hta".
std::string PagePathFor(const std::string& definitionPath);

// The preview page in the program folder (given without a trailing backslash).
std::string PreviewPagePath(const std::string& programFolder);

}  // namespace vallora
