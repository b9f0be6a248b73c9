#include "security/security_system_win32.h"

#include <windows.h>

#include <string>

#include "platform/win32_handles_win32.h"
#include "security/processes_win32.h"

namespace vallora {

namespace {

constexpr char kExplorer[] = "explorer.exe";

}  // namespace

void SecuritySystemWin32::SetScreenSaverRunning(bool running) {
    // The previous state comes back through the pointer and is not needed.
    UINT previous = 0;
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, running ? 1 : 0, &previous, 0);
}

void SecuritySystemWin32::EndExplorerDesktop() {
    // Explorer is ended only when it owns a top-level window.
    if (HWND window = FindProcessWindow(FindProcessId(kExplorer))) TerminateWindowProcess(window);
}

bool SecuritySystemWin32::IsExplorerRunning() {
    return IsProcessRunning(kExplorer);
}

void SecuritySystemWin32::StartExplorer() {
    std::string commandLine = kExplorer;  // CreateProcess may write into it
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMINIMIZED;
    PROCESS_INFORMATION started{};
    if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &started)) {
        UniqueKernelHandle process(started.hProcess);
        UniqueKernelHandle thread(started.hThread);
    }
}

}  // namespace vallora
