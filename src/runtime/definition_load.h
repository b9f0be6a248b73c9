#pragma once
// Loading a definition into the program-wide state.
#include <string>

#include "runtime/program_state.h"

namespace vallora {

// Loads the definition file at path (every default for an empty or missing
// path) and keeps the program-wide paths as a load does: both name the path
// when a file of that name exists, both are empty otherwise. Returns whether
// the file exists.
bool LoadDefinitionInto(ProgramState& state, const std::string& path);

// Whether the file at path can run as a desktop: it was read and holds a
// definition (a "[Desktop]" or "[Security]" section, which every save
// writes). Anything else would run with the defaults: no restrictions and
// no password.
bool IsRunnableDefinition(const std::string& path);

}  // namespace vallora
