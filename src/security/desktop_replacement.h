#pragma once
// Ending the running Explorer desktop and keeping Windows from restarting it,
// and giving it back.
#include "security/security_target.h"
#include "storage/definition.h"

namespace vallora {

// Acts only when the definition's "ReplaceDesktop" is ticked; Explorer is
// ended only when "AutoRestartShell" reads back as 0.
void ReplaceDesktop(const Definition& definition, const SecurityTarget& target);

// Lets Windows restart Explorer, runs ReplaceDesktop once more (so a
// definition that replaces the desktop ends Explorer again), shows the
// desktop icons again and then starts Explorer when none runs.
void RestoreDesktop(const Definition& definition, const SecurityTarget& target);

}  // namespace vallora
