#include "platform/file_dialog_text.h"

#include <vector>

namespace vallora {

namespace {

std::string Trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

}  // namespace

std::string SystemFilterList(const std::string& filter) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= filter.size()) {
        size_t bar = filter.find('|', start);
        if (bar == std::string::npos) bar = filter.size();
        parts.push_back(filter.substr(start, bar - start));
        start = bar + 1;
    }
    std::string list;
    if (filter.empty()) return std::string(2, '\0');
    for (size_t i = 0; i < parts.size(); i += 2) {
        std::string pattern = i + 1 < parts.size() ? Trimmed(parts[i + 1]) : Trimmed(parts[i]);
        list += parts[i];
        list += '\0';
        list += pattern;
        list += '\0';
    }
    list += '\0';
    return list;
}

InitialFile SplitInitialFileName(const std::string& fileName) {
    const std::string marker = "\\...";
    if (fileName.size() >= marker.size() &&
        fileName.compare(fileName.size() - marker.size(), marker.size(), marker) == 0) {
        return {fileName.substr(0, fileName.size() - marker.size() + 1), ""};
    }
    return {"", fileName};
}

}  // namespace vallora
