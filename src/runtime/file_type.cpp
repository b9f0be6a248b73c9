#include "runtime/file_type.h"

#include "runtime/command_line.h"
#include "storage/settings.h"

namespace vallora {

void RegisterFileType(Settings& settings, const std::string& programFolder) {
    settings.WriteSetting("HKCR", ".vla", "", "S", std::string("Vallora.file"));
    settings.WriteSetting("HKCR", "Vallora.file\\DefaultIcon", "", "S",
                          programFolder + "\\Icons\\" + "IconBlue.ICO" + ",0");
    settings.WriteSetting("HKCR", "Vallora.file\\Shell\\Open\\Command", "", "S",
                          RuntimeCommandLine(programFolder, "%1"));
}

}  // namespace vallora
