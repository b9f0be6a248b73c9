// Vallora.exe: the editor and the desktop runtime in one program, the run
// mode chosen by the command tail.
#include <windows.h>

#include "editor/frm_splash_win32.h"
#include "platform/window_port_win32.h"
#include "runtime/command_line.h"
#include "runtime/main_win32.h"

namespace {

// The editor subsystem as start-up and session control reach it: the splash
// window; the editor window itself is not part of the program yet.
class ProgramEditor final : public vallora::EditorPort {
  public:
    void ShowSplash(vallora::WindowId owner) override {
        vallora::frmSplash splash(vallora::VersionText());
        splash.ShowSplash(vallora::ToHwnd(owner));
    }
    bool ShowEditor() override { return false; }
    bool ShowLockedEditor(vallora::WindowId) override { return false; }
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return vallora::Main(vallora::CommandTail(GetCommandLineA()), [](vallora::ProgramServices&) {
        return std::make_unique<ProgramEditor>();
    });
}
