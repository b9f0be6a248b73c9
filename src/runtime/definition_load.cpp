#include "runtime/definition_load.h"

#include "storage/definition_file.h"

namespace vallora {

bool LoadDefinitionInto(ProgramState& state, const std::string& path) {
    LoadedDefinition loaded = LoadDefinition(path);
    state.definition = std::move(loaded.Record);
    const bool found = !path.empty() && loaded.Found();
    state.lastOpenedPath = found ? path : std::string();
    state.currentDefinitionPath = state.lastOpenedPath;
    return found;
}

}  // namespace vallora
