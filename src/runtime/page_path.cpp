#include "runtime/page_path.h"

namespace vallora {
namespace {

// The position of the dot that starts the extension of the path's file name.
size_t FileNameDot(const std::string& path) {
    const size_t nameStart = path.find_last_of("\\/:");
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos || (nameStart != std::string::npos && dot < nameStart)) {
        return std::string::npos;
    }
    return dot;
}

}  // namespace

std::string PagePathFor(const std::string& definitionPath) {
    const size_t dot = FileNameDot(definitionPath);
    if (dot == std::string::npos) return definitionPath + ".hta";
    return definitionPath.substr(0, dot + 1) + "hta";
}

std::string PreviewPagePath(const std::string& programFolder) {
    return programFolder + "\\ValloraPreview.hta";
}

std::string WithDefinitionExtension(const std::string& path) {
    return FileNameDot(path) == std::string::npos ? path + ".vla" : path;
}

}  // namespace vallora
