#pragma once
// How a process is named: by the file name of its executable, compared
// without regard to letter case ("explorer.exe", "mshta.exe").
#include <string_view>

namespace vallora {

// The text after the last backslash of a path; the whole text when it has none.
std::string_view ExecutableFileName(std::string_view path);

// Whether the executable field of a process snapshot entry names the program
// `name`. Some systems report the full path there, so the comparison uses the
// field's file-name part.
bool IsProcessNamed(std::string_view executableField, std::string_view name);

}  // namespace vallora
