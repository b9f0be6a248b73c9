#pragma once
// A desktop session: the desktop page shown in the HTA host and kept alive,
// the start-up files, the session record with the watchdog, the preview
// page, and the end of the session. Works on the program-wide state.
#include <windows.h>

#include <functional>
#include <string>

#include "guard/dialog_watcher_win32.h"
#include "language/language.h"
#include "platform/audit_log_win32.h"
#include "platform/system_event_log_win32.h"
#include "platform/ui_seam.h"
#include "platform/win32_handles_win32.h"
#include "platform/window_port.h"
#include "runtime/editor_port.h"
#include "runtime/keyboard_lock_win32.h"
#include "runtime/program_state.h"
#include "security/previous_values.h"
#include "security/security_system_port.h"
#include "storage/settings.h"
#include "taskbar/frm_task_bar_session.h"

namespace vallora {

// The longest the launch waits for the page window.
inline constexpr DWORD kPageWindowWaitMs = 3000;

// The system's HTA host, "mshta.exe" in the system folder.
std::string SystemPageHost();

struct SessionServices {
    ProgramState& state;
    Settings& settings;
    const Language& language;
    UiSeam& ui;
    WindowPort& windows;
    SecuritySystemPort& system;
    std::string programFolder;
    // The HTA host's program file, started by its full path.
    std::string pageHost = SystemPageHost();
    // Where the audit trail's entries go besides the session log; the
    // Application event log when none is given.
    SystemEventLogPort* events = nullptr;
};

class DesktopSession final : public TaskBarSession {
  public:
    explicit DesktopSession(SessionServices services);
    ~DesktopSession() override;
    DesktopSession(const DesktopSession&) = delete;
    DesktopSession& operator=(const DesktopSession&) = delete;

    // Ends the page this session started last, starts the HTA host with the page
    // and waits up to 3 seconds for its window, letting window messages run
    // meanwhile; sends the window to the bottom when asked.
    void LaunchDesktopPage(const std::string& pagePath, bool sendToBottom);
    // Shows the page of a definition file: the built-in page when its
    // "PageHost" is "Vallora", else its generated page beside it in the HTA
    // host, and the built-in page when that host shows no window.
    void LaunchDefinitionPage(const std::string& definitionPath, bool sendToBottom);
    // Starts each line of the definition's start-up list, or opens it through
    // the shell when it is no program; does not wait for any of them.
    void RunStartupFiles();
    // The desktop session begins with the definition: the audit trail's
    // source is registered where the account may, and the start recorded.
    void BeginSession(const std::string& definitionPath);
    // Records the session for the watchdog, then starts the watchdog.
    void WriteSessionRecord(const std::string& definitionPath, HWND taskBar);
    // Writes the preview page of the loaded definition and shows it: in the
    // program folder, or in the user's temporary folder when the program
    // folder cannot be written. A page written nowhere is reported (over
    // owner) as a failed save is, and nothing is shown.
    void PreviewDesktop(WindowId owner = 0);
    // Asks for a desktop page; empty when the choice was cancelled.
    std::string ChooseDesktopPage(WindowId owner);

    // The editor that shows the splash and the running definition; none
    // until the program has an editor window.
    void SetEditor(EditorPort* editor) { editor_ = editor; }
    // The lock-down check, which sits above the session: the program's entry
    // connects it. Without one the action does nothing.
    void SetLockDownCheck(std::function<void(WindowId owner)> check) {
        lockDownCheck_ = std::move(check);
    }

    // TaskBarSession
    void ReserveWorkArea() override;
    void ApplyComputerSecurity() override;
    // Relaunches the page when the page process this session started has ended.
    void RestartPageIfGone() override;
    void SetBrowserStartPage() override;
    void WatchDialogs() override;
    // The session's dialog guard, which the bar's 100 ms tick runs.
    DialogWatcher& Guard() { return dialogWatcher_; }
    // True while the session's keyboard lock is in place.
    bool KeyboardLocked() const { return keyboardLock_.IsOn(); }
    WindowId PageWindow() const override { return services_.state.pageWindow; }
    void ShowAbout(WindowId owner) override;
    std::string AdminPassword() const override { return services_.state.definition.AdminPassword; }
    std::string AdminPasswordHash() const override {
        return services_.state.definition.AdminPasswordHash;
    }
    // CloseSession, then the program ends at once.
    [[noreturn]] void EndSession() override;
    // Ends the page, resets the restrictions, gives the screen back and ends
    // the watchdog; the shell question is not asked.
    void EndForWindowsLogOff() override;
    // Asks about the replaced shell, then ends as for a log-off; the record
    // is marked ended, so no watchdog restarts the session.
    void CloseSession();
    // The changes the last apply could not make.
    const std::vector<WriteFailure>& ApplyFailures() const { return applyFailures_; }
    void LaunchChosenDesktop(WindowId owner) override;
    // Reloads the running definition, shows it locked in the editor, and
    // reloads it again so that nothing changed there stays.
    void ShowRunningDefinition(WindowId owner) override;
    // Runs the connected check; a second request while one runs (its waits
    // let the bar's messages run) is ignored.
    void CheckLockDown(WindowId owner) override;
    IdleTimes IdleResetTimes() const override;
    bool IsSessionProcess(std::uint32_t processId, const std::string& programPath) const override;
    // Clears what the visitor left (CleanDesktop), starts the page afresh and
    // runs the start-up files again, as at the desktop start.
    void ResetDesktop() override;
    void Audit(AuditEvent event, std::string_view details) override;
    // Empties the clipboard, clears the recent documents and, when the
    // definition says so, deletes the start folder's files.
    void CleanDesktop();

  private:
    // Ends the last page and starts the command line as the page process;
    // whether its window appeared within the wait.
    bool ShowPage(const std::string& commandLine, const std::string& pagePath, bool sendToBottom);
    // Shows the page shown last once more, the same way, at the bottom.
    void RelaunchPage();
    // The HTA host's command line for a page.
    std::string HtaHostCommand(const std::string& pagePath) const;
    // The built-in page program's command line for a definition and its page.
    std::string BuiltInPageCommand(const std::string& definitionPath,
                                   const std::string& pagePath) const;
    // The page window: the first visible window of the started host within
    // the wait, else whatever window the host has when the wait ends.
    WindowId WaitForPageWindow(DWORD processId, HANDLE process);
    bool PageHostRunning() const;
    MessageResult Ask(std::string_view key, MessageButtons buttons, MessageIcon icon);
    // Records the end (for a session begun), then ends it as for a log-off.
    void EndRestrictedSession(std::string_view reason);

    SessionServices services_;
    Win32SystemEventLog applicationLog_;
    AuditLog audit_;
    // The definition the session began with; empty before and after it.
    std::string sessionDefinition_;
    UniqueKernelHandle pageProcess_;
    UniqueKernelHandle watchdogProcess_;
    bool pageLaunched_ = false;
    // The definition whose page is shown (empty for a page chosen as a file),
    // and whether the HTA host already failed to show it this session.
    std::string pageDefinition_;
    bool htaHostFailed_ = false;
    bool launching_ = false;
    bool uncleanEndChecked_ = false;
    std::vector<WriteFailure> applyFailures_;
    DialogWatcher dialogWatcher_;
    KeyboardLock keyboardLock_;
    EditorPort* editor_ = nullptr;
    std::function<void(WindowId)> lockDownCheck_;
    bool checkingLockDown_ = false;
};

}  // namespace vallora
