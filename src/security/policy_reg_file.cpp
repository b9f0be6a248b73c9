#include "security/policy_reg_file.h"

#include "security/computer_security.h"
#include "storage/memory_registry.h"
#include "storage/recording_registry.h"
#include "storage/settings.h"

namespace vallora {

std::string PolicyRegFileText(const Definition& definition, PolicyAction action) {
    MemoryRegistry scratch;
    DryRunProfile profile;
    DryRunSystem system;
    if (action == PolicyAction::Reset) {
        // What a reset takes back depends on what apply kept: the reset runs
        // after an unrecorded apply of the same definition.
        Settings applied(scratch, profile);
        ApplyComputerSecurity(definition, {applied, system});
    }
    RecordingRegistry recording(scratch);
    Settings settings(recording, profile);
    const SecurityTarget target{settings, system,
                                [&](const std::string& step) { recording.Comment(step); }};
    recording.Comment(
        "Comment lines name the steps that are not registry writes; importing this file does "
        "not take them.");
    if (action == PolicyAction::Apply) {
        ApplyComputerSecurity(definition, target);
    } else {
        ResetComputerSecurity(definition, target);
    }
    return recording.RegFileText();
}

}  // namespace vallora
