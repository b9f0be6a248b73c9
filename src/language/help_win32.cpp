#include "language/help_win32.h"

#include <windows.h>
// shellapi.h needs windows.h first
#include <shellapi.h>

#include "platform/window_port_win32.h"

namespace vallora {

void LaunchHelp(const Language& language) {
    std::string page = language.HelpPagePath();
    HCURSOR previous = SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
    ProcessPendingMessages();
    ShellExecuteA(nullptr, "open", page.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
    ProcessPendingMessages();
    SetCursor(previous ? previous : LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
}

}  // namespace vallora
