#pragma once
// Loading a definition into the program-wide state.
#include <string>

#include "runtime/program_state.h"
#include "storage/whole_file.h"

namespace vallora {

// Loads the definition file at path (every default for an empty or missing
// path) and keeps the program-wide paths as a load does: both name the path
// when the file was read, both are empty otherwise. A file that exists but
// cannot be read (Unreadable) changes nothing, so that no later save
// overwrites it with the defaults; error (when given) gets the system's
// message. An empty path counts as Missing.
FileReadStatus LoadDefinitionInto(ProgramState& state, const std::string& path,
                                  std::string* error = nullptr);

// Whether the file at path can run as a desktop: it was read and holds a
// definition (a "[Desktop]" or "[Security]" section, which every save
// writes). Anything else would run with the defaults: no restrictions and
// no password.
bool IsRunnableDefinition(const std::string& path);

}  // namespace vallora
