#pragma once
// What the task operations need from the system's processes. The Win32 side
// is in process_operations_win32.h; native tests use a recording fake.
#include <cstdint>
#include <string>

namespace vallora {

class TaskProcessPort {
  public:
    virtual ~TaskProcessPort() = default;
    // Ends the process at once; true when it was terminated.
    virtual bool KillProcess(std::uint32_t processId) = 0;
    // Full path of the process's program file; empty when it cannot be read.
    virtual std::string ProcessProgramFile(std::uint32_t processId) = 0;
};

}  // namespace vallora
