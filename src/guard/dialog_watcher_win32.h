#pragma once
// The dialog guard as the task bar runs it: call WatchDialogs on every tick
// of the bar's 100-millisecond timer. It owns the blocked-function notice and
// the restricted file dialogs it opens; they go when it goes. What it blocks
// or takes over goes to the audit trail.
#include <memory>
#include <vector>

#include "guard/dialog_guard.h"
#include "guard/frm_common_dialog_win32.h"
#include "guard/frm_function_blocked_win32.h"
#include "guard/window_search.h"
#include "language/language.h"
#include "platform/audit_log_win32.h"
#include "storage/definition.h"

namespace vallora {

class DialogWatcher {
  public:
    DialogWatcher(const Language& language, const AuditLog& audit);
    ~DialogWatcher();
    DialogWatcher(const DialogWatcher&) = delete;
    DialogWatcher& operator=(const DialogWatcher&) = delete;

    // One guard tick: does nothing unless the definition's "NoRun" is set;
    // reads "IOStartFolder" anew each time.
    void WatchDialogs(const Definition& definition);

    const WindowHandleList& HandledDialogs() const { return guard_.HandledDialogs(); }
    frmFunctionBlocked& FunctionBlocked() { return functionBlocked_; }
    // The restricted file dialogs still loaded (visible, or handed back by Browse).
    std::vector<frmCommonDialog*> RestrictedDialogs() const;

  private:
    class Port;

    void OpenRestrictedDialog(const std::string& startFolder, HWND dialog, HWND editBox,
                              const std::string& editClassPattern);
    void DropUnloadedDialogs();

    const Language& language_;
    const AuditLog& audit_;
    std::unique_ptr<Port> port_;
    WindowSearch search_;
    DialogGuard guard_;
    frmFunctionBlocked functionBlocked_;
    std::vector<std::unique_ptr<frmCommonDialog>> restrictedDialogs_;
};

}  // namespace vallora
