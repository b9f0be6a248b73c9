#include "security/processes_win32.h"

#include <tlhelp32.h>

#include <functional>

#include "platform/win32_handles_win32.h"
#include "security/process_name.h"

namespace vallora {

namespace {

// Walks the process snapshot until `stop` answers true for an entry; returns
// whether it did. The snapshot handle is closed in every case.
bool FindInSnapshot(const std::function<bool(const PROCESSENTRY32&)>& stop) {
    UniqueFileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return false;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.get(), &entry); more;
         more = Process32Next(snapshot.get(), &entry)) {
        if (stop(entry)) return true;
    }
    return false;
}

// The executable field up to its first NUL, never past the end of the array.
std::string ExecutableField(const PROCESSENTRY32& entry) {
    const char* field = entry.szExeFile;
    size_t length = 0;
    while (length < sizeof entry.szExeFile && field[length] != '\0') ++length;
    return std::string(field, length);
}

}  // namespace

DWORD FindProcessId(const std::string& executableName) {
    DWORD found = 0;
    FindInSnapshot([&](const PROCESSENTRY32& entry) {
        if (!IsProcessNamed(ExecutableField(entry), executableName)) return false;
        found = entry.th32ProcessID;
        return true;
    });
    return found;
}

bool IsProcessRunning(const std::string& executableName) {
    return FindInSnapshot([&](const PROCESSENTRY32& entry) {
        return IsProcessNamed(ExecutableField(entry), executableName);
    });
}

std::string ProcessExecutableName(DWORD processId) {
    std::string name;
    FindInSnapshot([&](const PROCESSENTRY32& entry) {
        if (entry.th32ProcessID != processId) return false;
        name = std::string(ExecutableFileName(ExecutableField(entry)));
        return true;
    });
    return name;
}

namespace {

HWND FindTopLevelWindow(DWORD processId, bool visibleOnly) {
    if (processId == 0) return nullptr;
    for (HWND window = FindWindowA(nullptr, nullptr); window;
         window = GetWindow(window, GW_HWNDNEXT)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && !GetParent(window) && (!visibleOnly || IsWindowVisible(window))) {
            return window;
        }
    }
    return nullptr;
}

}  // namespace

HWND FindProcessWindow(DWORD processId) {
    return FindTopLevelWindow(processId, false);
}

HWND FindVisibleProcessWindow(DWORD processId) {
    return FindTopLevelWindow(processId, true);
}

bool TerminateWindowProcess(HWND window) {
    DWORD processId = 0;
    if (!window || !GetWindowThreadProcessId(window, &processId)) return false;
    UniqueKernelHandle process(OpenProcess(PROCESS_TERMINATE, FALSE, processId));
    return process && TerminateProcess(process.get(), 0);
}

}  // namespace vallora
