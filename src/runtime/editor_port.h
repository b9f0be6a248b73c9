#pragma once
// What start-up and session control need from the editor subsystem, which
// sits above them: the program's entry file connects the two.
#include "platform/window_port.h"

namespace vallora {

class EditorPort {
  public:
    virtual ~EditorPort() = default;
    // Shows the splash window modally; returns when it has closed.
    virtual void ShowSplash(WindowId owner) = 0;
    // Editor mode: shows the editor window with the loaded definition, not
    // modally. False when the program has no editor window.
    virtual bool ShowEditor() = 0;
    // Shows the loaded definition modally with its File menu and its
    // editing frames locked; returns when it has closed. False when the
    // program has no editor window.
    virtual bool ShowLockedEditor(WindowId owner) = 0;
};

}  // namespace vallora
