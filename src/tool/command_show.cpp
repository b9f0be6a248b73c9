#include <ostream>

#include "storage/definition_file.h"
#include "tool/commands.h"

namespace vallora::tool {

// Prints the definition as loaded, one Section.Key=value line per value in
// file order: defaults in place of missing values, the password as the file
// stores it (never decoded: the output may end up where visitors read it),
// the start-up list with "$vbcrlf$" between its lines.
int RunShow(const Arguments& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) return kExitUsage;
    const LoadedDefinition loaded = LoadDefinition(args[0]);
    if (loaded.Status != FileReadStatus::Read) return Fail(err, kExitFailed, loaded.Error);
    for (const DefinitionValue& value : DefinitionValues(loaded.Record)) {
        out << value.Section << '.' << value.Key << '=' << value.Value << '\n';
    }
    return kExitOk;
}

}  // namespace vallora::tool
