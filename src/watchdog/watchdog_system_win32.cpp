#include "watchdog/watchdog_system_win32.h"

#include <array>
#include <utility>
#include <vector>

#include "platform/win32_handles_win32.h"
#include "security/process_name.h"
#include "security/processes_win32.h"

namespace vallora {

Win32WatchdogSystem::Win32WatchdogSystem(std::string programFolder)
    : programFolder_(std::move(programFolder)) {}

bool Win32WatchdogSystem::ProbeWindow(std::uintptr_t window, std::uint32_t timeoutMs) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(reinterpret_cast<HWND>(window), WM_NULL, 0, 0, SMTO_NORMAL,
                               timeoutMs, &result) != 0;
}

bool Win32WatchdogSystem::Wait(std::uint32_t milliseconds) {
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    for (;;) {
        MSG message;
        while (!quitSeen_ && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                quitSeen_ = true;
                PostQuitMessage(static_cast<int>(message.wParam));
                break;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (quitSeen_) return false;
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) return true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now),
                                  QS_ALLINPUT);
    }
}

bool Win32WatchdogSystem::EndProcessRunning(std::uint32_t processId, std::string_view programFile) {
    UniqueKernelHandle process(OpenProcess(PROCESS_TERMINATE, FALSE, processId));
    if (!process) return false;
    // While this handle is open the id cannot pass to a new process, so the
    // name read now belongs to the process that would be ended.
    if (!IsProcessNamed(ProcessExecutableName(processId), programFile)) return false;
    return TerminateProcess(process.get(), 0) != FALSE;
}

bool Win32WatchdogSystem::StartRuntime(const std::string& definitionPath) {
    const std::string program = programFolder_ + "\\" + std::string(kRuntimeProgramFile);
    const std::string commandLine = RuntimeCommandLine(programFolder_, definitionPath);
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started{};
    // The program is named separately, so blanks in its folder cannot make
    // the system start some other program file.
    if (!CreateProcessA(program.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &started)) {
        return false;
    }
    UniqueKernelHandle thread(started.hThread);
    UniqueKernelHandle process(started.hProcess);
    return true;
}

bool Win32WatchdogSystem::IsSessionWindow(std::uintptr_t window) {
    const HWND handle = reinterpret_cast<HWND>(window);
    if (!IsWindow(handle)) return false;
    DWORD processId = 0;
    GetWindowThreadProcessId(handle, &processId);
    return processId != 0 && IsProcessNamed(ProcessExecutableName(processId), kRuntimeProgramFile);
}

std::string RunningProgramFolder() {
    std::array<char, MAX_PATH> path{};
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0 || length >= path.size()) return {};
    std::string folder(path.data(), length);
    const std::size_t slash = folder.rfind('\\');
    folder.resize(slash == std::string::npos ? 0 : slash);
    return folder;
}

}  // namespace vallora
