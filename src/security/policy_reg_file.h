#pragma once
// The registry changes that applying or resetting a definition's restrictions
// makes, as a REGEDIT4 file: the operations run against an empty registry
// held in memory, so the file depends on the definition alone; a reset runs
// after the definition's apply there, as it would on a clean PC. Steps that
// are not registry writes appear as comment lines at their place.
#include <string>

#include "storage/definition.h"

namespace vallora {

enum class PolicyAction { Apply, Reset };

std::string PolicyRegFileText(const Definition& definition, PolicyAction action);

}  // namespace vallora
