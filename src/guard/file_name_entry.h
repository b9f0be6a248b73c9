#pragma once
// What the restricted file dialog lets through: a bare file name inside the
// start folder. File dialogs take "\" and "/" as folder separators and
// "X:name" as a name on another drive, so all three characters are removed as
// they are typed. A name is passed on only when it names a file there: not
// one made only of dots and blanks ("..", ". .", the folder itself or the one
// above), none with wildcards, quotes, redirection characters, "%" (the
// dialogs expand environment variables) or control characters, none ending
// in a dot or blank (the system trims those, so "x." opens "x"), and no
// device name (CON, NUL, COM1, LPT1 and the like, also with an extension).
#include <string>
#include <string_view>

namespace vallora {

bool HasPathCharacters(std::string_view text);
std::string RemovePathCharacters(std::string_view text);
bool IsPassableFileName(std::string_view name);

}  // namespace vallora
