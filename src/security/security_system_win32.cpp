#include "security/security_system_win32.h"

#include <windows.h>

#include <string>

#include "platform/shell_folders_win32.h"
#include "platform/win32_handles_win32.h"
#include "security/processes_win32.h"

namespace vallora {

namespace {

constexpr char kExplorer[] = "explorer.exe";

// Reads or writes each feature's settings, with dwFlags as the first field
// after cbSize, in the order of AccessibilityFlags.
template <typename Visit>
bool ForEachAccessibilityFeature(Visit visit) {
    STICKYKEYS sticky{sizeof(sticky), 0};
    FILTERKEYS filter{sizeof(filter), 0, 0, 0, 0, 0};
    TOGGLEKEYS toggle{sizeof(toggle), 0};
    HIGHCONTRASTA contrast{sizeof(contrast), 0, nullptr};
    MOUSEKEYS mouse{sizeof(mouse), 0, 0, 0, 0, 0, 0};
    return visit(0, SPI_GETSTICKYKEYS, SPI_SETSTICKYKEYS, &sticky, sticky.dwFlags) &&
           visit(1, SPI_GETFILTERKEYS, SPI_SETFILTERKEYS, &filter, filter.dwFlags) &&
           visit(2, SPI_GETTOGGLEKEYS, SPI_SETTOGGLEKEYS, &toggle, toggle.dwFlags) &&
           visit(3, SPI_GETHIGHCONTRAST, SPI_SETHIGHCONTRAST, &contrast, contrast.dwFlags) &&
           visit(4, SPI_GETMOUSEKEYS, SPI_SETMOUSEKEYS, &mouse, mouse.dwFlags);
}

}  // namespace

void SecuritySystemWin32::SetScreenSaverRunning(bool running) {
    // The previous state comes back through the pointer and is not needed.
    UINT previous = 0;
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, running ? 1 : 0, &previous, 0);
}

bool SecuritySystemWin32::ReadAccessibilityFlags(AccessibilityFlags& flags) {
    return ForEachAccessibilityFeature(
        [&](std::size_t index, UINT get, UINT, void* settings, DWORD& featureFlags) {
            if (!SystemParametersInfoA(get, 0, settings, 0)) return false;
            flags[index] = featureFlags;
            return true;
        });
}

void SecuritySystemWin32::WriteAccessibilityFlags(const AccessibilityFlags& flags) {
    // Each feature is read afresh so that only its flags change; the session
    // alone sees the change, which a restart of the PC forgets.
    ForEachAccessibilityFeature(
        [&](std::size_t index, UINT get, UINT set, void* settings, DWORD& featureFlags) {
            if (SystemParametersInfoA(get, 0, settings, 0) && featureFlags != flags[index]) {
                featureFlags = flags[index];
                SystemParametersInfoA(set, 0, settings, SPIF_SENDCHANGE);
            }
            return true;
        });
}

void SecuritySystemWin32::EndExplorerDesktop() {
    // Explorer is ended only when it owns a top-level window.
    if (HWND window = FindProcessWindow(FindProcessId(kExplorer))) TerminateWindowProcess(window);
}

bool SecuritySystemWin32::IsExplorerRunning() {
    return IsProcessRunning(kExplorer);
}

void SecuritySystemWin32::StartExplorer() {
    // By its full path: a bare name would find a program of that name in
    // Vallora's folder first.
    const std::string program = WindowsFolder() + "\\" + kExplorer;
    std::string commandLine = "\"" + program + "\"";  // CreateProcess may write into it
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMINIMIZED;
    PROCESS_INFORMATION started{};
    if (CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       nullptr, &startup, &started)) {
        UniqueKernelHandle process(started.hProcess);
        UniqueKernelHandle thread(started.hThread);
    }
}

}  // namespace vallora
