#include <ostream>

#include "audit/definition_checks.h"
#include "storage/definition_file.h"
#include "tool/commands.h"

namespace vallora::tool {

// Prints the checks of the definition alone, one line each:
// "<severity> <check>[ <entry>]: <text>". Exits with kExitFailed when any is
// severe, so a roll-out script can stop on it.
int RunCheck(const Arguments& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) return kExitUsage;
    const LoadedDefinition loaded = LoadDefinition(args[0]);
    if (loaded.Status != FileReadStatus::Read) return Fail(err, kExitFailed, loaded.Error);
    const std::vector<DefinitionFinding> findings = CheckDefinition(loaded.Record);
    for (const DefinitionFinding& finding : findings) {
        out << SeverityName(finding.severity) << ' ' << CheckName(finding.check);
        if (!finding.entry.empty()) out << ' ' << finding.entry;
        out << ": " << finding.text << '\n';
    }
    return AnySevere(findings) ? kExitFailed : kExitOk;
}

}  // namespace vallora::tool
