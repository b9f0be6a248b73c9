#pragma once
// Ending a process, raising its priority and reading its program file.
#include <windows.h>

#include <string>

#include "taskbar/task_process_port.h"

namespace vallora {

// Ends the process with exit code 0; true when it was terminated.
bool KillProcess(DWORD processId);

// Full path of the process's program file (its first module); empty when the
// process cannot be opened or read.
std::string ProcessProgramFile(DWORD processId);

// Gives the process the priority class; with process id 0, the process that
// owns `window`. A process that cannot be opened keeps its class.
void SetProcessPriority(DWORD processId, HWND window, DWORD priorityClass);

class Win32TaskProcesses final : public TaskProcessPort {
  public:
    std::string ProcessProgramFile(std::uint32_t processId) override {
        return vallora::ProcessProgramFile(processId);
    }
    std::unique_ptr<HeldProcess> Hold(std::uint32_t processId) override;
};

}  // namespace vallora
