#include "guard/window_handle_list.h"

#include <charconv>
#include <string_view>

namespace vallora {

namespace {

// Calls `visit(entry)` for each ";"-terminated entry of the list text.
template <typename Visit>
void ForEachEntry(std::string_view text, Visit visit) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(';', start);
        if (end == std::string_view::npos) end = text.size();
        visit(text.substr(start, end - start));
        start = end + 1;
    }
}

bool ParseEntry(std::string_view entry, WindowId& window) {
    const char* last = entry.data() + entry.size();
    const auto [ptr, error] = std::from_chars(entry.data(), last, window);
    return error == std::errc() && ptr == last && !entry.empty();
}

}  // namespace

bool WindowHandleList::Contains(WindowId window) const {
    const std::string wanted = std::to_string(window);
    bool found = false;
    ForEachEntry(text_, [&](std::string_view entry) { found = found || entry == wanted; });
    return found;
}

void WindowHandleList::Append(WindowId window) {
    text_ += std::to_string(window);
    text_ += ';';
}

std::vector<WindowId> WindowHandleList::Windows() const {
    std::vector<WindowId> windows;
    ForEachEntry(text_, [&](std::string_view entry) {
        WindowId window = 0;
        if (ParseEntry(entry, window)) windows.push_back(window);
    });
    return windows;
}

void WindowHandleList::RemoveIf(const std::function<bool(WindowId)>& drop) {
    std::string kept;
    ForEachEntry(text_, [&](std::string_view entry) {
        if (entry.empty()) return;
        WindowId window = 0;
        // An entry that is not a handle names no window, so it goes too.
        if (ParseEntry(entry, window) && !drop(window)) {
            kept.append(entry);
            kept += ';';
        }
    });
    text_ = std::move(kept);
}

}  // namespace vallora
