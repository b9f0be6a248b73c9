#pragma once
// The program files of the task processes, looked up once per process
// instead of at every rebuild of the task table: reading another process's
// module list is the dearest part of the one-second refresh.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/window_port.h"
#include "taskbar/task_process_port.h"

namespace vallora {

class ProgramFileCache final : public TaskProcessPort {
  public:
    explicit ProgramFileCache(TaskProcessPort& processes) : processes_(processes) {}

    // Called before each rebuild with the task windows and their processes.
    // A process keeps its entry only while it still owns one of the windows
    // it owned before: a process id that came back with other windows may
    // belong to a new program.
    void Keep(const std::vector<std::pair<std::uint32_t, WindowId>>& tasks);

    std::string ProcessProgramFile(std::uint32_t processId) override;
    std::unique_ptr<HeldProcess> Hold(std::uint32_t processId) override {
        return processes_.Hold(processId);
    }

  private:
    struct Entry {
        std::string programFile;
        std::vector<WindowId> windows;
    };

    TaskProcessPort& processes_;
    std::unordered_map<std::uint32_t, Entry> entries_;
    std::unordered_map<std::uint32_t, std::vector<WindowId>> current_;
};

}  // namespace vallora
