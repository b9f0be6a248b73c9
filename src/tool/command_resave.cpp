#include <ostream>

#include "storage/definition_file.h"
#include "tool/commands.h"

namespace vallora::tool {

// Loads IN and saves it to OUT as the editor saves; OUT is not touched when
// IN cannot be read.
int RunResave(const Arguments& args, std::ostream&, std::ostream& err) {
    if (args.size() != 2) return kExitUsage;
    const LoadedDefinition loaded = LoadDefinition(args[0]);
    if (loaded.Status != FileReadStatus::Read) return Fail(err, kExitFailed, loaded.Error);
    std::string error;
    if (!SaveDefinition(loaded.Record, args[1], &error)) return Fail(err, kExitFailed, error);
    return kExitOk;
}

}  // namespace vallora::tool
