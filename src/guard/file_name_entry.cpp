#include "guard/file_name_entry.h"

namespace vallora {

namespace {

constexpr std::string_view kPathCharacters = "\\/:";

}  // namespace

bool HasPathCharacters(std::string_view text) {
    return text.find_first_of(kPathCharacters) != std::string_view::npos;
}

std::string RemovePathCharacters(std::string_view text) {
    std::string name;
    name.reserve(text.size());
    for (const char c : text) {
        if (kPathCharacters.find(c) == std::string_view::npos) name += c;
    }
    return name;
}

bool IsPassableFileName(std::string_view name) {
    return name.find_first_not_of(". ") != std::string_view::npos;
}

}  // namespace vallora
