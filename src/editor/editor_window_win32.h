#pragma once
// The editor subsystem as start-up and session control reach it: the splash
// window, the editor window in editor mode, and the running definition shown
// locked from the task bar.
#include <memory>

#include "editor/frm_main_win32.h"
#include "page/icon_bitmap_win32.h"
#include "runtime/editor_port.h"
#include "runtime/main_win32.h"

namespace vallora {

class EditorWindow final : public EditorPort {
  public:
    explicit EditorWindow(ProgramServices& services);

    void ShowSplash(WindowId owner) override;
    // Closing the shown editor ends the program's message loop.
    bool ShowEditor() override;
    bool ShowLockedEditor(WindowId owner) override;

  private:
    IconPortWin32 icons_;
    frmMain main_;
};

}  // namespace vallora
