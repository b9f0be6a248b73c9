#include <ostream>

#include "page/desktop_page.h"
#include "page/system_icons.h"
#include "storage/definition_file.h"
#include "tool/commands.h"

namespace vallora::tool {

// Writes the desktop page of IN to OUT and the icon bitmaps into the folder
// beside it, as the editor's save does. Every bitmap that could not be made is
// named on err and makes the status a failure, although the page is written.
int RunPage(const Arguments& args, std::ostream&, std::ostream& err) {
    if (args.size() != 2) return kExitUsage;
    const LoadedDefinition loaded = LoadDefinition(args[0]);
    if (loaded.Status != FileReadStatus::Read) return Fail(err, kExitFailed, loaded.Error);
    const SystemIcons icons = MakeSystemIcons();
    const PageGeneration result = GenerateDesktopPage(loaded.Record, args[1], *icons.port);
    if (!result.pageWritten) return Fail(err, kExitFailed, result.pageError);
    for (const std::string& bitmap : result.missingBitmaps) {
        Fail(err, kExitFailed, "icon bitmap not made: " + bitmap);
    }
    if (result.missingBitmaps.empty()) return kExitOk;
    return icons.limitation.empty() ? kExitFailed : Fail(err, kExitFailed, icons.limitation);
}

}  // namespace vallora::tool
