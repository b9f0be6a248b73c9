#include "runtime/startup_files.h"

#include <string_view>

namespace vallora {

std::vector<std::string> StartupFileLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string_view rest = text;
    while (true) {
        const size_t end = rest.find("\r\n");
        std::string_view line = rest.substr(0, end);
        const size_t first = line.find_first_not_of(' ');
        if (first != std::string_view::npos) {
            const size_t last = line.find_last_not_of(' ');
            lines.emplace_back(line.substr(first, last - first + 1));
        }
        if (end == std::string_view::npos) break;
        rest.remove_prefix(end + 2);
    }
    return lines;
}

std::string WithStartupFile(std::string text, const std::string& path) {
    if (!text.empty() && !text.ends_with("\r\n")) text += "\r\n";
    return text + path + "\r\n";
}

}  // namespace vallora
