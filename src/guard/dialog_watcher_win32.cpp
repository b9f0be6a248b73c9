#include "guard/dialog_watcher_win32.h"

#include "guard/guard_windows_win32.h"
#include "guard/keystrokes_win32.h"
#include "guard/window_tree_win32.h"
#include "platform/window_port_win32.h"

namespace vallora {

// The guard's view of the system, over user32 and the file system.
class DialogWatcher::Port final : public DialogGuardPort {
  public:
    explicit Port(DialogWatcher& watcher) : watcher_(watcher) {}

    WindowId DesktopWindow() override { return tree_.DesktopWindow(); }
    WindowId FirstChild(WindowId parent) override { return tree_.FirstChild(parent); }
    WindowId NextSibling(WindowId window) override { return tree_.NextSibling(window); }
    std::string ClassName(WindowId window) override { return tree_.ClassName(window); }
    std::string Title(WindowId window) override { return tree_.Title(window); }
    int ControlId(WindowId window) override { return tree_.ControlId(window); }
    void ProcessPendingMessages() override { tree_.ProcessPendingMessages(); }

    WindowId Foreground() override { return windows_.Foreground(); }
    bool Exists(WindowId window) override { return windows_.Exists(window); }
    bool IsOwnWindow(WindowId window) override {
        return windows_.ProcessId(window) == GetCurrentProcessId();
    }
    void HideWindows(const WindowHandleList& windows) override { vallora::HideWindows(windows); }
    void CloseWindow(WindowId window) override { PostCloseRequest(ToHwnd(window)); }
    void Wait(int milliseconds) override { Sleep(static_cast<DWORD>(milliseconds)); }
    void CreateFolder(const std::string& path) override { CreateDirectoryA(path.c_str(), nullptr); }
    bool FolderExists(const std::string& path) override {
        const DWORD attributes = GetFileAttributesA(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES &&
               (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }
    bool TypeIntoDialog(WindowId dialog, WindowId editBox, const std::string& text) override {
        const Deadline deadline(kTypingIntoDialogBoundMs);
        // The file-name box has the focus from now on, as after a click into it.
        SetFocusToControl(ToHwnd(dialog), ToHwnd(editBox));
        return SelectAllText(ToHwnd(editBox), deadline) &&
               TypeText(ToHwnd(editBox), text, deadline) && PressEnter(ToHwnd(dialog), deadline);
    }
    void ShowFunctionBlocked() override { watcher_.functionBlocked_.Show(); }
    void OpenRestrictedDialog(const std::string& startFolder, WindowId dialog, WindowId editBox,
                              const std::string& editClassPattern) override {
        watcher_.OpenRestrictedDialog(startFolder, ToHwnd(dialog), ToHwnd(editBox),
                                      editClassPattern);
    }
    void Audit(AuditEvent event, std::string_view details) override {
        watcher_.audit_.Record(event, details);
    }

  private:
    DialogWatcher& watcher_;
    Win32WindowTree tree_;
    Win32WindowPort windows_;
};

DialogWatcher::DialogWatcher(const Language& language, const AuditLog& audit)
    : language_(language),
      audit_(audit),
      port_(std::make_unique<Port>(*this)),
      search_(*port_),
      guard_(*port_, search_),
      functionBlocked_(language) {}

DialogWatcher::~DialogWatcher() = default;

void DialogWatcher::WatchDialogs(const Definition& definition) {
    DropUnloadedDialogs();
    guard_.WatchDialogs(definition);
}

std::vector<frmCommonDialog*> DialogWatcher::RestrictedDialogs() const {
    std::vector<frmCommonDialog*> loaded;
    for (const auto& dialog : restrictedDialogs_) {
        if (!dialog->IsUnloaded()) loaded.push_back(dialog.get());
    }
    return loaded;
}

void DialogWatcher::OpenRestrictedDialog(const std::string& startFolder, HWND dialog, HWND editBox,
                                         const std::string& editClassPattern) {
    auto form = std::make_unique<frmCommonDialog>(language_, search_);
    if (!form->Initialize(startFolder)) return;
    form->setTargetDialogHwnd(dialog);
    form->setTargetEditHwnd(editBox);
    form->setTargetEditClassName(editClassPattern);
    SetFocus(form->ControlHwnd("txtFileName"));
    restrictedDialogs_.push_back(std::move(form));
}

void DialogWatcher::DropUnloadedDialogs() {
    // Never from inside a form's own message: only ticks of the task bar get here.
    std::erase_if(restrictedDialogs_, [](const auto& dialog) { return dialog->IsUnloaded(); });
}

}  // namespace vallora
