#include "taskbar/process_operations_win32.h"

#include <psapi.h>

#include <array>

#include "platform/win32_handles_win32.h"

namespace vallora {

namespace {

class Win32HeldProcess final : public HeldProcess {
  public:
    explicit Win32HeldProcess(UniqueKernelHandle process) : process_(std::move(process)) {}
    bool Kill() override { return TerminateProcess(process_.get(), 0) != FALSE; }

  private:
    UniqueKernelHandle process_;
};

}  // namespace

bool KillProcess(DWORD processId) {
    UniqueKernelHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId));
    if (!process) return false;
    return TerminateProcess(process.get(), 0) != FALSE;
}

std::string ProcessProgramFile(DWORD processId) {
    UniqueKernelHandle process(
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    if (!process) return {};
    // The first module listed is the program file itself.
    std::array<HMODULE, 200 / sizeof(HMODULE)> modules{};
    DWORD needed = 0;
    if (!EnumProcessModules(process.get(), modules.data(), sizeof(modules), &needed) ||
        needed == 0) {
        return {};
    }
    std::array<char, MAX_PATH> path{};
    const DWORD length = GetModuleFileNameExA(process.get(), modules[0], path.data(),
                                              static_cast<DWORD>(path.size()));
    return std::string(path.data(), length);
}

std::unique_ptr<HeldProcess> Win32TaskProcesses::Hold(std::uint32_t processId) {
    UniqueKernelHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId));
    if (!process) return nullptr;
    return std::make_unique<Win32HeldProcess>(std::move(process));
}

void SetProcessPriority(DWORD processId, HWND window, DWORD priorityClass) {
    if (processId == 0) GetWindowThreadProcessId(window, &processId);
    UniqueKernelHandle process(
        OpenProcess(PROCESS_SET_INFORMATION | PROCESS_QUERY_INFORMATION, FALSE, processId));
    if (process) SetPriorityClass(process.get(), priorityClass);
}

}  // namespace vallora
