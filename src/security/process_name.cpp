#include "security/process_name.h"

#include "storage/ascii_case.h"

namespace vallora {

std::string_view ExecutableFileName(std::string_view path) {
    const size_t slash = path.rfind('\\');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool IsProcessNamed(std::string_view executableField, std::string_view name) {
    return EqualsNoCase(ExecutableFileName(executableField), name);
}

}  // namespace vallora
