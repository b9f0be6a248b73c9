#include "editor/editor_window_win32.h"

#include "editor/frm_splash_win32.h"
#include "platform/window_port_win32.h"
#include "runtime/program_files_win32.h"

namespace vallora {

EditorWindow::EditorWindow(ProgramServices& services)
    : icons_(services.storage.settings),
      main_({.state = services.state,
             .settings = services.storage.settings,
             .language = services.language,
             .ui = services.ui,
             .session = services.session,
             .icons = icons_,
             .system = services.system,
             .programFolder = services.programFolder,
             // The editor is the only window of editor mode: the program
             // ends with it, without the session end of the Exit command.
             .closed = [] { PostQuitMessage(0); }}) {}

void EditorWindow::ShowSplash(WindowId owner) {
    frmSplash splash(VersionText());
    splash.ShowSplash(ToHwnd(owner));
}

bool EditorWindow::ShowEditor() {
    return main_.Show();
}

bool EditorWindow::ShowLockedEditor(WindowId owner) {
    return main_.ShowLocked(ToHwnd(owner));
}

}  // namespace vallora
