#pragma once
// Opens the help page of the language in use in the system's viewer.
#include "language/language.h"

namespace vallora {

// Opens Language::HelpPagePath() with the shell's "open" verb in a maximised
// window, with the hourglass pointer meanwhile. Reports nothing on failure.
void LaunchHelp(const Language& language);

}  // namespace vallora
