#include "runtime/page_path.h"

namespace vallora {

std::string PagePathFor(const std::string& definitionPath) {
    const size_t dot = definitionPath.rfind('.');
    if (dot == std::string::npos) return "hta";
    return definitionPath.substr(0, dot + 1) + "hta";
}

std::string PreviewPagePath(const std::string& programFolder) {
    return programFolder + "\\ValloraPreview.hta";
}

}  // namespace vallora
