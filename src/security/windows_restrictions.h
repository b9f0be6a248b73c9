#pragma once
// Windows policy values: password change, workstation lock, task manager,
// log-off, shut-down, printers, control panel, folder options, search, the
// Run command, hidden drives, the file dialogs' places bar and history, and
// network browsing. Apply writes 1 (or a drive mask) for what the definition
// asks for; reset writes 0 to every value, whatever set it.
#include <cstdint>
#include <string_view>

#include "security/security_target.h"
#include "storage/definition.h"

namespace vallora {

void ApplyWindowsRestrictions(const Definition& definition, const SecurityTarget& target);
void ResetWindowsRestrictions(const SecurityTarget& target);

// `hideDrives` lists drive letters separated by ";".
void ApplyDriveRestrictions(const Definition& definition, std::string_view hideDrives,
                            const SecurityTarget& target);
void ResetDriveRestrictions(const SecurityTarget& target);

// Bit i stands for the drive letter 'A' + i. Only pieces of exactly one
// letter (either case) count; anything else adds nothing.
int32_t DriveMask(std::string_view hideDrives);

}  // namespace vallora
