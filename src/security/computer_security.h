#pragma once
// The two entry points of the lock-down: everything the loaded definition
// asks for, and setting it all back.
#include "security/security_target.h"
#include "storage/definition.h"

namespace vallora {

// Replaces the Explorer desktop (when asked), then drive, Windows and browser
// restrictions, in that order.
void ApplyComputerSecurity(const Definition& definition, const SecurityTarget& target);

// Resets drive and Windows restrictions, restores the Explorer desktop and
// resets the browser restrictions, whatever the definition asks for; only the
// desktop step reads "ReplaceDesktop" and the browser step "IEHomePage".
void ResetComputerSecurity(const Definition& definition, const SecurityTarget& target);

}  // namespace vallora
