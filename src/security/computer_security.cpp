#include "security/computer_security.h"

#include "security/browser_restrictions.h"
#include "security/desktop_replacement.h"
#include "security/windows_restrictions.h"

namespace vallora {

void ApplyComputerSecurity(const Definition& definition, const SecurityTarget& target) {
    ReplaceDesktop(definition, target);
    ApplyDriveRestrictions(definition, definition.HideDrives, target);
    ApplyWindowsRestrictions(definition, target);
    ApplyBrowserRestrictions(definition, target);
}

void ResetComputerSecurity(const Definition& definition, const SecurityTarget& target) {
    ResetDriveRestrictions(target);
    ResetWindowsRestrictions(target);
    RestoreDesktop(definition, target);
    ResetBrowserRestrictions(definition, target);
}

}  // namespace vallora
