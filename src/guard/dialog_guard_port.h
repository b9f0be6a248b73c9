#pragma once
// What the dialog watcher needs from the system beyond the window tree: the
// foreground window, the operations it performs on a file dialog, the start
// folder on disk, the two windows it shows, and the audit trail it writes.
#include <string>

#include "guard/window_handle_list.h"
#include "guard/window_tree_port.h"
#include "platform/audit_event.h"

namespace vallora {

// How long typing the start folder into a program's dialog may take in all:
// a guard tick must stay short even when the program hangs.
inline constexpr int kTypingIntoDialogBoundMs = 400;

class DialogGuardPort : public WindowTreePort {
  public:
    virtual WindowId Foreground() = 0;
    virtual bool Exists(WindowId window) = 0;
    // True for a window of this program's own process.
    virtual bool IsOwnWindow(WindowId window) = 0;
    // Gives each window an empty window region: it becomes invisible while it
    // stays enabled and present.
    virtual void HideWindows(const WindowHandleList& windows) = 0;
    // Posts a close request to the window without waiting for it.
    virtual void CloseWindow(WindowId window) = 0;
    // Blocks the calling thread.
    virtual void Wait(int milliseconds) = 0;
    // Makes one folder level; failures (such as an existing folder) are ignored.
    virtual void CreateFolder(const std::string& path) = 0;
    virtual bool FolderExists(const std::string& path) = 0;
    // Puts the keyboard focus into the dialog's edit box, selects its text,
    // types `text` into it and presses the dialog's Enter key; each step is
    // done when it returns, all within kTypingIntoDialogBoundMs. False when
    // the dialog did not take them (it has gone, or does not answer in time).
    virtual bool TypeIntoDialog(WindowId dialog, WindowId editBox, const std::string& text) = 0;
    // Shows the blocked-function notice, or brings it to the front when open.
    virtual void ShowFunctionBlocked() = 0;
    // Opens a new restricted file dialog in place of `dialog`.
    virtual void OpenRestrictedDialog(const std::string& startFolder, WindowId dialog,
                                      WindowId editBox, const std::string& editClassPattern) = 0;
    // Records a dialog taken over or blocked in the audit trail.
    virtual void Audit(AuditEvent event, std::string_view details) = 0;
};

}  // namespace vallora
