#pragma once
// Where the desktop page of a definition lives, the editor's preview page,
// and the extension a saved definition gets.
#include <string>

namespace vallora {

// The definition path with the extension of its file name replaced by
// "hta": C:\Desks\Kiosk.vla gives C:\Desks\Kiosk.hta. Only a dot of the
// file name counts, never one in a folder name: C:\My.Desks\Kiosk gives
// C:\My.Desks\Kiosk.hta, beside the definition.
std::string PagePathFor(const std::string& definitionPath);

// The preview page in the program folder (given without a trailing backslash).
std::string PreviewPagePath(const std::string& programFolder);

// The path with ".vla" added when its file name has no extension (no dot),
// as a name typed into the save dialog may be; other paths as they are.
std::string WithDefinitionExtension(const std::string& path);

}  // namespace vallora
