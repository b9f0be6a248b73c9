#pragma once
// Section and key lookup in the text of a profile-layout file held in memory
// (definition files, language files). Names match exactly, letter case
// included. A section header counts only where it starts a line, and a key
// only where it starts a line of its section, so that a value holding
// "[Name]" or "Key=" can never stand in for the real header or key.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vallora {

// The text of the first section headed "[section]": from its header up to,
// not including, the next CR LF followed by "[", or to the end of the text.
// Empty when there is no such section.
std::string_view IniSectionText(std::string_view text, std::string_view section);

// The value of the first line of a section's text that starts with "key=":
// everything after the "=" up to the next CR LF. Empty when there is none.
std::string_view IniSectionValue(std::string_view sectionText, std::string_view key);

// The value of key in section, unchanged (no trimming, no unquoting); the
// default when the section or the key is missing or the value is empty.
std::string ReadIniTextValue(std::string_view text, std::string_view section, std::string_view key,
                             std::string_view defaultValue);

// A whole number written in decimal with an optional sign and blanks around
// it, when it fits 32 bits; nothing for any other text.
std::optional<int32_t> ParseIniInteger(std::string_view text);

}  // namespace vallora
