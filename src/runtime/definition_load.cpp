#include "runtime/definition_load.h"

#include "storage/definition_file.h"
#include "storage/ini_text.h"
#include "storage/whole_file.h"

namespace vallora {

FileReadStatus LoadDefinitionInto(ProgramState& state, const std::string& path,
                                  std::string* error) {
    LoadedDefinition loaded = LoadDefinition(path);
    if (loaded.Status == FileReadStatus::Unreadable) {
        if (error) *error = loaded.Error;
        return loaded.Status;
    }
    state.definition = std::move(loaded.Record);
    const bool read = !path.empty() && loaded.Status == FileReadStatus::Read;
    state.lastOpenedPath = read ? path : std::string();
    state.currentDefinitionPath = state.lastOpenedPath;
    return read ? FileReadStatus::Read : FileReadStatus::Missing;
}

bool IsRunnableDefinition(const std::string& path) {
    std::string text;
    if (path.empty() || ReadWholeFile(path, &text, nullptr) != FileReadStatus::Read) return false;
    return !IniSectionText(text, "Desktop").empty() || !IniSectionText(text, "Security").empty();
}

}  // namespace vallora
