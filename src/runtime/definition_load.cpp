#include "runtime/definition_load.h"

#include "storage/definition_file.h"
#include "storage/ini_text.h"
#include "storage/whole_file.h"

namespace vallora {

bool LoadDefinitionInto(ProgramState& state, const std::string& path) {
    LoadedDefinition loaded = LoadDefinition(path);
    state.definition = std::move(loaded.Record);
    const bool found = !path.empty() && loaded.Found();
    state.lastOpenedPath = found ? path : std::string();
    state.currentDefinitionPath = state.lastOpenedPath;
    return found;
}

bool IsRunnableDefinition(const std::string& path) {
    std::string text;
    if (path.empty() || ReadWholeFile(path, &text, nullptr) != FileReadStatus::Read) return false;
    return !IniSectionText(text, "Desktop").empty() || !IniSectionText(text, "Security").empty();
}

}  // namespace vallora
