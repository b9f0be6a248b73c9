// Vallora.exe: the editor and the desktop runtime in one program, the run
// mode chosen by the command tail.
#include <windows.h>

#include "audit/session_check_win32.h"
#include "editor/editor_window_win32.h"
#include "platform/library_search_win32.h"
#include "runtime/command_line.h"
#include "runtime/main_win32.h"
#include "runtime/program_files_win32.h"

namespace {

// The system's HTA host. The end-to-end tests build this program once more
// with VALLORA_TEST_PAGE_HOST defined, to run under Wine (whose HTA host
// shows nothing) with the page-host stand-in beside it; the installed
// program never looks there.
std::string PageHost() {
#ifdef VALLORA_TEST_PAGE_HOST
    return vallora::ProgramFolder() + "\\mshta.exe";
#else
    return vallora::SystemPageHost();
#endif
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    vallora::LimitLibrarySearch();
    return vallora::Main(
        vallora::CommandTail(GetCommandLineA(), vallora::ProgramPath()),
        [](vallora::ProgramServices& services) {
            return std::make_unique<vallora::EditorWindow>(services);
        },
        PageHost(), vallora::CheckLockDown);
}
