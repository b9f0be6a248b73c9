#include "taskbar/frm_task_bar_program_files.h"

#include <algorithm>

namespace vallora {

void ProgramFileCache::Keep(const std::vector<std::pair<std::uint32_t, WindowId>>& tasks) {
    current_.clear();
    for (const auto& [processId, window] : tasks) current_[processId].push_back(window);
    for (auto entry = entries_.begin(); entry != entries_.end();) {
        const auto now = current_.find(entry->first);
        const bool kept =
            now != current_.end() &&
            std::any_of(now->second.begin(), now->second.end(), [&](WindowId window) {
                return std::find(entry->second.windows.begin(), entry->second.windows.end(),
                                 window) != entry->second.windows.end();
            });
        if (kept) {
            entry->second.windows = now->second;
            ++entry;
        } else {
            entry = entries_.erase(entry);
        }
    }
}

std::string ProgramFileCache::ProcessProgramFile(std::uint32_t processId) {
    const auto found = entries_.find(processId);
    if (found != entries_.end()) return found->second.programFile;
    std::string programFile = processes_.ProcessProgramFile(processId);
    // Only a process known to own task windows is remembered, and an empty
    // answer (the process could not be read) is asked again next time.
    const auto windows = current_.find(processId);
    if (windows != current_.end() && !programFile.empty()) {
        entries_[processId] = {programFile, windows->second};
    }
    return programFile;
}

}  // namespace vallora
