#pragma once
// What the restricted file dialog lets through: a bare file name inside the
// start folder. File dialogs take "\" and "/" as folder separators and
// "X:name" as a name on another drive, so all three characters are removed as
// they are typed; and a name made only of dots and blanks ("..", ". .")
// reads as the folder itself or the one above, so it is not passed on.
#include <string>
#include <string_view>

namespace vallora {

bool HasPathCharacters(std::string_view text);
std::string RemovePathCharacters(std::string_view text);
bool IsPassableFileName(std::string_view name);

}  // namespace vallora
