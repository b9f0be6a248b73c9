#pragma once
// The shell places of the running program on this system.
#include "security/shell_replacement.h"

namespace vallora {

// The running program's file and the Windows folder.
ShellPlaces CurrentShellPlaces();

}  // namespace vallora
