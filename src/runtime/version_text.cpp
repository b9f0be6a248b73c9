#include "runtime/version_text.h"

namespace vallora {

std::string VersionText(const ProgramVersion& version) {
    return "version " + std::to_string(version.major) + "." + std::to_string(version.minor) +
           " build " + std::to_string(version.revision);
}

}  // namespace vallora
