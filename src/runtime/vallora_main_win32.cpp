// Vallora.exe: the editor and the desktop runtime in one program, the run
// mode chosen by the command tail.
#include <windows.h>

#include "audit/session_check_win32.h"
#include "editor/editor_window_win32.h"
#include "runtime/command_line.h"
#include "runtime/main_win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return vallora::Main(
        vallora::CommandTail(GetCommandLineA()),
        [](vallora::ProgramServices& services) {
            return std::make_unique<vallora::EditorWindow>(services);
        },
        vallora::CheckLockDown);
}
