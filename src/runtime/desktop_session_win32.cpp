#include "runtime/desktop_session_win32.h"

#include "language/failure_message.h"
#include "language/messages.h"
#include "page/desktop_page.h"
#include "page/icon_bitmap_win32.h"
#include "platform/event_log_source.h"
#include "platform/event_log_win32.h"
#include "platform/shell_folders_win32.h"
#include "platform/window_port_win32.h"
#include "runtime/definition_load.h"
#include "runtime/desktop_cleanup_win32.h"
#include "runtime/page_path.h"
#include "runtime/program_files_win32.h"
#include "runtime/session_end_win32.h"
#include "runtime/session_record.h"
#include "runtime/startup_files.h"
#include "security/browser_restrictions.h"
#include "security/computer_security.h"
#include "security/previous_values.h"
#include "security/processes_win32.h"
#include "security/security_target.h"
#include "security/shell_replacement.h"
#include "security/shell_replacement_win32.h"
#include "storage/ascii_case.h"
#include "storage/definition_file.h"
#include "storage/idle_values.h"
#include "taskbar/process_operations_win32.h"
#include "taskbar/window_operations.h"

namespace vallora {

namespace {

// How often the launch looks for the page window while it waits.
constexpr DWORD kPageWindowPollMs = 50;
// How long each window may take to answer the policy-change broadcast.
constexpr UINT kPolicyBroadcastTimeoutMs = 1000;

}  // namespace

std::string SystemPageHost() {
    return SystemFolder() + "\\mshta.exe";
}

DesktopSession::DesktopSession(SessionServices services)
    : services_(std::move(services)),
      audit_(services_.events ? *services_.events : applicationLog_),
      dialogWatcher_(services_.language, audit_) {}

DesktopSession::~DesktopSession() = default;

void DesktopSession::LaunchDesktopPage(const std::string& pagePath, bool sendToBottom) {
    pageDefinition_.clear();
    ShowPage(HtaHostCommand(pagePath), pagePath, sendToBottom);
}

void DesktopSession::LaunchDefinitionPage(const std::string& definitionPath, bool sendToBottom) {
    pageDefinition_ = definitionPath;
    const std::string page = PagePathFor(definitionPath);
    const bool builtIn = LoadDefinition(definitionPath).Record.PageHost == kPageHostVallora;
    if (!builtIn && !htaHostFailed_) {
        if (ShowPage(HtaHostCommand(page), page, sendToBottom)) return;
        // A blocked or missing HTA host must not leave the visitor an empty screen.
        htaHostFailed_ = true;
        LogEvent(services_.state.pageProcessId == 0
                     ? "Desktop page: the HTA host could not be started; the built-in page "
                       "is shown instead"
                     : "Desktop page: the HTA host showed no page window within the wait; "
                       "the built-in page is shown instead");
    }
    ShowPage(BuiltInPageCommand(definitionPath, page), page, sendToBottom);
}

void DesktopSession::RelaunchPage() {
    if (pageDefinition_.empty()) {
        LaunchDesktopPage(services_.state.pagePath, true);
    } else {
        LaunchDefinitionPage(pageDefinition_, true);
    }
}

std::string DesktopSession::HtaHostCommand(const std::string& pagePath) const {
    return "\"" + services_.pageHost + "\" \"" + pagePath + "\"";
}

std::string DesktopSession::BuiltInPageCommand(const std::string& definitionPath,
                                               const std::string& pagePath) const {
    return "\"" + services_.programFolder + "\\ValloraPage.exe\" \"" + definitionPath + "\" \"" +
           pagePath + "\"";
}

bool DesktopSession::ShowPage(const std::string& commandLine, const std::string& pagePath,
                              bool sendToBottom) {
    ProgramState& state = services_.state;
    WaitCursor wait;
    launching_ = true;
    ProcessPendingMessages();
    if (state.pageProcessId != 0) {
        // The handle keeps the id from being reused, so only our page ends.
        if (pageProcess_) {
            TerminateProcess(pageProcess_.get(), 0);
        } else {
            KillProcess(state.pageProcessId);
        }
    }
    pageProcess_.reset();
    state.pagePath = pagePath;
    StartedProcess host = StartCommandLine(commandLine);
    state.pageProcessId = host.id;
    pageProcess_ = std::move(host.handle);
    pageLaunched_ = true;
    state.pageWindow = WaitForPageWindow(state.pageProcessId, pageProcess_.get());
    ProcessPendingMessages();
    if (sendToBottom) SendToBottom(services_.windows, state.pageWindow);
    launching_ = false;
    return state.pageWindow != 0 && IsWindowVisible(ToHwnd(state.pageWindow)) && PageHostRunning();
}

WindowId DesktopSession::WaitForPageWindow(DWORD processId, HANDLE process) {
    if (processId == 0) return 0;
    const ULONGLONG deadline = GetTickCount64() + kPageWindowWaitMs;
    while (true) {
        if (HWND shown = FindVisibleProcessWindow(processId)) return ToWindowId(shown);
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) break;
        const DWORD slice =
            static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, kPageWindowPollMs));
        const DWORD woke = MsgWaitForMultipleObjects(process ? 1 : 0, process ? &process : nullptr,
                                                     FALSE, slice, QS_ALLINPUT);
        if (process && woke == WAIT_OBJECT_0) break;  // the host has ended
        ProcessPendingMessages();
    }
    return ToWindowId(FindProcessWindow(processId));
}

bool DesktopSession::PageHostRunning() const {
    return pageProcess_ && WaitForSingleObject(pageProcess_.get(), 0) == WAIT_TIMEOUT;
}

void DesktopSession::RestartPageIfGone() {
    if (!pageLaunched_ || launching_ || PageHostRunning()) return;
    RelaunchPage();
}

void DesktopSession::RunStartupFiles() {
    for (const std::string& line : StartupFileLines(services_.state.definition.StartUp)) {
        StartedProcess started = StartCommandLine(line);
        if (started.id == 0) ShellOpen(line);
    }
}

void DesktopSession::BeginSession(const std::string& definitionPath) {
    // A standard account may not register it; the entries are written all the same.
    RegisterEventLogSource(services_.settings.registry(),
                           services_.programFolder + "\\Vallora.exe");
    sessionDefinition_ = definitionPath;
    audit_.Record(AuditEvent::SessionStart, definitionPath);
}

void DesktopSession::WriteSessionRecord(const std::string& definitionPath, HWND taskBar) {
    DWORD processId = 0;
    GetWindowThreadProcessId(taskBar, &processId);
    const char* hive = WriteSessionRecordValues(
        services_.settings, {definitionPath, reinterpret_cast<std::uintptr_t>(taskBar), processId,
                             services_.state.pageProcessId});
    // Without a record the watchdog would watch an older session's record.
    if (!hive) {
        LogEvent(
            "Session record not written: HKLM and HKCU refused it; the watchdog is not "
            "started");
        return;
    }
    if (std::string_view(hive) == kSessionRecordFallbackHive) {
        LogEvent("Session record written to HKCU: HKLM refused it");
    }
    StartedProcess watchdog =
        StartCommandLine("\"" + services_.programFolder + "\\ValloraRun.exe\"");
    services_.state.watchdogProcessId = watchdog.id;
    watchdogProcess_ = std::move(watchdog.handle);
}

void DesktopSession::PreviewDesktop(WindowId owner) {
    std::string page = PreviewPagePath(services_.programFolder);
    IconPortWin32 icons(services_.settings);
    const PageGeneration written = GenerateDesktopPage(services_.state.definition, page, icons);
    if (!written.pageWritten) {
        // A program folder the user may not write (as under Program Files):
        // the preview and its icons go to the user's temporary folder.
        const std::string temporary = TemporaryFolder();
        const std::string fallback =
            temporary.empty() ? std::string()
                              : PreviewPagePath(temporary.substr(0, temporary.size() - 1));
        if (fallback.empty() ||
            !GenerateDesktopPage(services_.state.definition, fallback, icons).pageWritten) {
            // An older preview must not be shown as if it were this definition.
            services_.ui.ShowMessage(
                WriteFailureMessage(services_.language, owner, written.pageError));
            return;
        }
        page = fallback;
    }
    // The built-in page reads a definition file: the shown one, beside its page.
    const std::string definition = page.substr(0, page.size() - 3) + "vla";
    if (SaveDefinition(services_.state.definition, definition, nullptr)) {
        LaunchDefinitionPage(definition, false);
    } else {
        LaunchDesktopPage(page, false);
    }
}

std::string DesktopSession::ChooseDesktopPage(WindowId owner) {
    FileDialogRequest request;
    request.owner = owner;
    request.filter = std::string(kProgramTitle) + " | *.hta";
    request.fileName.clear();
    return services_.ui.OpenFile(request).value_or(std::string());
}

void DesktopSession::ReserveWorkArea() {
    vallora::ReserveWorkArea(services_.windows, services_.state.screenWidth,
                             services_.state.screenHeight);
}

void DesktopSession::ApplyComputerSecurity() {
    SecurityTarget target{services_.settings, services_.system};
    if (!uncleanEndChecked_) {
        // An earlier session that ended without its reset left its values in
        // force: they are put back first, so the previous values kept now
        // are the PC's own.
        uncleanEndChecked_ = true;
        SessionRecord ended;
        if (LastSessionEndedUncleanly(services_.settings, ended)) {
            LogEvent("The last desktop session did not end properly: its settings are restored");
            ResetAfterUncleanEnd(ended, target);
        }
    }
    applyFailures_ = ApplyComputerSecurityKept(services_.state.definition, target);
    for (const WriteFailure& failure : applyFailures_) {
        audit_.Record(AuditEvent::RestrictionNotWritten, FailureLine(failure));
    }
    // The keyboard counterpart of the administrative-tasks restriction.
    if (IsChecked(services_.state.definition.NoAdministrativeTasks)) keyboardLock_.Start();
    // Running programs that watch for it read the policies anew; a hung
    // window is skipped and none holds the session up for long.
    DWORD_PTR result = 0;
    SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("Policy"),
                        SMTO_ABORTIFHUNG | SMTO_NORMAL, kPolicyBroadcastTimeoutMs, &result);
}

void DesktopSession::SetBrowserStartPage() {
    vallora::SetBrowserStartPage(services_.state.definition, services_.settings);
}

void DesktopSession::WatchDialogs() {
    dialogWatcher_.WatchDialogs(services_.state.definition);
}

void DesktopSession::ShowAbout(WindowId owner) {
    if (editor_) editor_->ShowSplash(owner);
}

MessageResult DesktopSession::Ask(std::string_view key, MessageButtons buttons, MessageIcon icon) {
    MessageRequest request;
    request.text = services_.language.Message(std::string(key));
    request.title = kProgramTitle;
    request.buttons = buttons;
    request.icon = icon;
    return services_.ui.ShowMessage(request);
}

void DesktopSession::EndSession() {
    CloseSession();
    ExitProcess(0);
}

void DesktopSession::EndForWindowsLogOff() {
    EndRestrictedSession("Windows logs off or shuts down");
}

void DesktopSession::CloseSession() {
    if (IsWindowsShellReplaced(services_.settings)) {
        if (Ask(kMsgShellRestoreAsk, MessageButtons::YesNo, MessageIcon::Exclamation) ==
            MessageResult::Yes) {
            RestoreWindowsShell(services_.settings, CurrentShellPlaces());
            Ask(kMsgShellRestored, MessageButtons::Ok, MessageIcon::Information);
        }
    }
    EndRestrictedSession("closed");
}

void DesktopSession::EndRestrictedSession(std::string_view reason) {
    if (!sessionDefinition_.empty()) {
        audit_.Record(AuditEvent::SessionEnd, sessionDefinition_ + ", " + std::string(reason));
        sessionDefinition_.clear();
    }
    keyboardLock_.Stop();
    ProgramState& state = services_.state;
    EndSessionRecord(services_.settings);
    if (state.pageProcessId != 0) {
        if (pageProcess_) {
            TerminateProcess(pageProcess_.get(), 0);
        } else {
            KillProcess(state.pageProcessId);
        }
    }
    pageLaunched_ = false;  // nothing brings the page back now
    // Only a desktop session clears: the editor's Exit ends here as well.
    if (state.taskList && IsChecked(state.definition.ClearStartFolder)) CleanDesktop();
    SecurityTarget target{services_.settings, services_.system};
    ResetComputerSecurityKept(state.definition, target);
    ReleaseWorkArea(services_.windows, state.screenWidth, state.screenHeight);
    if (watchdogProcess_) {
        TerminateProcess(watchdogProcess_.get(), 0);
    } else if (state.watchdogProcessId != 0) {
        KillProcess(state.watchdogProcessId);
    }
}

void DesktopSession::LaunchChosenDesktop(WindowId owner) {
    const std::string page = ChooseDesktopPage(owner);
    if (!page.empty()) LaunchDesktopPage(page, true);
}

void DesktopSession::ShowRunningDefinition(WindowId owner) {
    ProgramState& state = services_.state;
    const std::string path = state.lastOpenedPath;
    LoadDefinitionInto(state, path);
    if (editor_) editor_->ShowLockedEditor(owner);
    LoadDefinitionInto(state, path);
}

void DesktopSession::CheckLockDown(WindowId owner) {
    if (!lockDownCheck_ || checkingLockDown_) return;
    checkingLockDown_ = true;
    lockDownCheck_(owner);
    checkingLockDown_ = false;
}

IdleTimes DesktopSession::IdleResetTimes() const {
    const Definition& definition = services_.state.definition;
    return {NormalIdleReset(definition.IdleReset), NormalIdleWarning(definition.IdleWarning)};
}

bool DesktopSession::IsSessionProcess(std::uint32_t processId,
                                      const std::string& programPath) const {
    const ProgramState& state = services_.state;
    if (processId == GetCurrentProcessId() ||
        (state.pageProcessId != 0 && processId == state.pageProcessId) ||
        (state.watchdogProcessId != 0 && processId == state.watchdogProcessId)) {
        return true;
    }
    // Another run of Vallora or its watchdog from this folder is the session's too.
    for (const char* program : {"\\Vallora.exe", "\\ValloraRun.exe"}) {
        if (EqualsNoCase(programPath, services_.programFolder + program)) return true;
    }
    return false;
}

void DesktopSession::CleanDesktop() {
    EmptyTheClipboard();
    ClearRecentDocuments();
    const Definition& definition = services_.state.definition;
    if (IsChecked(definition.ClearStartFolder)) DeleteFolderFiles(definition.IOStartFolder);
}

void DesktopSession::ResetDesktop() {
    audit_.Record(AuditEvent::IdleReset, "the desktop is cleared and started afresh");
    CleanDesktop();
    RelaunchPage();
    RunStartupFiles();
}

void DesktopSession::Audit(AuditEvent event, std::string_view details) {
    audit_.Record(event, details);
}

}  // namespace vallora
