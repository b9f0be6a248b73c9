#include <ostream>

#include "security/policy_reg_file.h"
#include "storage/definition_file.h"
#include "tool/commands.h"

namespace vallora::tool {

// Prints, as a REGEDIT4 file, every registry change that applying or
// resetting the definition's restrictions makes, in order; steps that are not
// registry writes are comment lines at their place.
int RunPolicy(const Arguments& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2) return kExitUsage;
    PolicyAction action;
    if (args[0] == "apply") {
        action = PolicyAction::Apply;
    } else if (args[0] == "reset") {
        action = PolicyAction::Reset;
    } else {
        return kExitUsage;
    }
    const LoadedDefinition loaded = LoadDefinition(args[1]);
    if (loaded.Status != FileReadStatus::Read) return Fail(err, kExitFailed, loaded.Error);
    // Lines end in '\n' on the stream, as in every command; the system's
    // text output gives them the line end a .reg file has there.
    for (const char c : PolicyRegFileText(loaded.Record, action)) {
        if (c != '\r') out << c;
    }
    return kExitOk;
}

}  // namespace vallora::tool
