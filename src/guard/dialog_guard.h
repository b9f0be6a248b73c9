#pragma once
// The dialog watcher: on every tick of the task bar it looks at the
// foreground window; a file dialog there is closed with a notice when the
// definition names no start folder, or else switched to the start folder,
// hidden and replaced by a restricted file dialog. Folder pickers and file
// browser windows are always closed with the notice. Windows of this
// program's own process (the administrator's dialogs) are left alone.
#include <string>

#include "guard/dialog_guard_port.h"
#include "guard/window_handle_list.h"
#include "guard/window_search.h"
#include "storage/definition.h"

namespace vallora {

class DialogGuard {
  public:
    DialogGuard(DialogGuardPort& port, WindowSearch& search) : port_(port), search_(search) {}

    // One tick: reads "NoRun" and "IOStartFolder" anew from the definition.
    void WatchDialogs(const Definition& definition);
    // Examines the foreground window; `startFolder` comes back ending with "\"
    // when a dialog was handed to the restricted file dialog.
    void GuardForegroundDialog(std::string& startFolder);

    // Every dialog taken over so far whose window still existed at the last tick.
    const WindowHandleList& HandledDialogs() const { return handledDialogs_; }

  private:
    struct FileDialog {
        WindowId dialog = 0;
        WindowId editBox = 0;
        std::string editClassPattern;
    };

    // The dialog's file-name box, or an editBox of 0 when it is no file
    // dialog; a dialog to close (a folder picker, or a file dialog without a
    // box that can be typed into) comes back with `block` set.
    FileDialog ExamineStandardDialog(WindowId dialog, bool& block);
    FileDialog ExamineOfficeDialog(WindowId dialog);
    // Closes the dialog with the notice; `reason` goes to the audit trail,
    // once for each dialog.
    void Block(WindowId dialog, std::string_view reason);
    // "\"<title>\" (<class>)", as the audit trail names a dialog.
    std::string DialogText(WindowId dialog);
    void TakeOver(const FileDialog& found, std::string& startFolder);

    DialogGuardPort& port_;
    WindowSearch& search_;
    WindowHandleList handledDialogs_;
    // The blocked dialogs already recorded in the audit trail: one stays in
    // front, and is blocked again, until it has gone.
    WindowHandleList auditedBlocks_;
    // Set while a tick runs, so that a tick delivered while this one lets
    // pending messages run does not examine the same dialog twice.
    bool examining_ = false;
};

}  // namespace vallora
