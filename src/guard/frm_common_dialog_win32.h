#pragma once
// frmCommonDialog: stands in for a file dialog that the dialog watcher has
// taken over. The program's own dialog, already switched to the start
// folder, stays hidden; this window shows the folder and lets the user type a
// bare file name, which OK passes to the hidden dialog by keystrokes. Cancel,
// the Escape key and the end of a 30-second count-down close the program's
// dialog; Browse hands it back with its file-name box read-only and closes
// every pop-up menu on the screen as soon as it opens. One instance serves
// one taken-over dialog and unloads itself when done.
#include <string>

#include "guard/window_search.h"
#include "language/language.h"
#include "platform/form_win32.h"
#include "platform/window_messages.h"
#include "taskbar/frm_pass_word_countdown.h"

namespace vallora {

class frmCommonDialog : public Form {
  public:
    static constexpr UINT_PTR kTimer = kTimerGuardBase + 1;
    static constexpr UINT_PTR kTimer100Msecs = kTimerGuardBase + 2;
    static constexpr UINT_PTR kTimerContextLock = kTimerGuardBase + 3;
    static constexpr int kTimerMs = 1000;
    static constexpr int kTimer100MsecsMs = 50;
    static constexpr int kTimerContextLockMs = 30;

    frmCommonDialog(const Language& language, WindowSearch& search);

    // Hides every window of the target dialog whose class matches the target
    // edit class.
    void LockOfficeEdit();
    // close: closes the program's dialog and unloads; otherwise hands the
    // dialog back to the user (Browse).
    void Cancel(bool close);
    // Passes the file name to the program's dialog and unloads; does nothing
    // for a name that is no file name.
    void OK();
    void SetFocusToControl(HWND dialog, HWND control);
    void setTargetEditClassName(const std::string& className) { targetEditClass_ = className; }
    void setTargetDialogHwnd(HWND dialog) { targetDialog_ = dialog; }
    void setTargetEditHwnd(HWND editBox) { targetEdit_ = editBox; }
    HWND TargetDialogHwnd() const { return targetDialog_; }
    // Loads the form when needed, shows the start folder (ending with "\")
    // as the location, starts the count-down and shows the form on top of
    // all others. False when the window could not be made.
    bool Initialize(const std::string& startFolder);

    // Unloaded: the window is gone and the object may be dropped.
    bool IsUnloaded() const { return Hwnd() == nullptr; }
    int CountDown() const { return countDown_.Remaining(); }

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    bool Load();
    void Unload();
    bool IsStandardDialog() const;
    // Types into the program's file-name box, each step done before the
    // next begins, so the close request that may follow cannot overtake it.
    void TypeIntoTarget(const std::string& text, bool pressEnter);
    LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
    void OnTimer(UINT_PTR id);
    void OnCountDownTick();
    void OnContextLockTick();
    LRESULT OnCommand(UINT id, UINT code);
    void OnFileNameChanged();

    const Language& language_;
    WindowSearch& search_;
    PasswordCountdown countDown_;
    HWND targetDialog_ = nullptr;
    HWND targetEdit_ = nullptr;
    std::string targetEditClass_;
    // Set once OK or Cancel has begun: pending messages that run inside
    // them must not start another one.
    bool finishing_ = false;
};

}  // namespace vallora
