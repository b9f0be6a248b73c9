#pragma once
// Browser policy values: options, toolbars, favourites, home page, context
// menu, search, help, view source, the script debugger, the registered client
// programs and file download; and the browser's start page. Both operations
// end with the same intent as policies of the current browsers
// (browser_policies.h).
#include "security/security_target.h"
#include "storage/definition.h"

namespace vallora {

class Settings;

void ApplyBrowserRestrictions(const Definition& definition, const SecurityTarget& target);
void ResetBrowserRestrictions(const Definition& definition, const SecurityTarget& target);

// Writes the definition's home page as the browser's start page, also when
// it is empty.
void SetBrowserStartPage(const Definition& definition, Settings& settings);

}  // namespace vallora
