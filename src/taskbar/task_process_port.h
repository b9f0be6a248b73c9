#pragma once
// What the task operations need from the system's processes. The Win32 side
// is in process_operations_win32.h; native tests use a recording fake.
#include <cstdint>
#include <memory>
#include <string>

namespace vallora {

// A process held open: while this lives its id cannot pass to a new
// process, so ending it later ends the very process that was held.
class HeldProcess {
  public:
    virtual ~HeldProcess() = default;
    // Ends the process at once; true when it was terminated.
    virtual bool Kill() = 0;
};

class TaskProcessPort {
  public:
    virtual ~TaskProcessPort() = default;
    // Full path of the process's program file; empty when it cannot be read.
    virtual std::string ProcessProgramFile(std::uint32_t processId) = 0;
    // Holds the process for a later Kill; null when it cannot be opened.
    virtual std::unique_ptr<HeldProcess> Hold(std::uint32_t processId) = 0;
};

}  // namespace vallora
