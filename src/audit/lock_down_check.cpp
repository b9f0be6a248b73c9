#include "audit/lock_down_check.h"

#include "audit/restriction_readback.h"
#include "language/messages.h"
#include "page/desktop_page.h"
#include "runtime/page_path.h"
#include "runtime/session_record.h"
#include "security/policy_keys.h"
#include "security/security_target.h"
#include "security/shell_replacement.h"
#include "storage/ascii_case.h"

namespace vallora {

namespace {

std::string Text(const Language& language, std::string_view key) {
    return language.Message(key);
}

std::string Filled(const Language& language, std::string_view key, std::string_view value) {
    return FillPlaceholder(language.Message(key), value);
}

CheckRow Row(std::string what, bool held, std::string remedy, std::string detail = {}) {
    return {std::move(what), held ? CheckState::Held : CheckState::Open, std::move(detail),
            held ? std::string() : std::move(remedy)};
}

void AddRestrictionRows(const LockDownSubject& subject, const Language& language,
                        std::vector<CheckRow>& rows) {
    for (const ValueReadBack& value : ReadBackRestrictions(
             subject.definition, subject.settings.registry(), subject.applyFailures)) {
        const ExpectedValue& expected = value.expected;
        std::string what = Filled(language, kMsgCheckRestriction, ValueTitle(expected));
        std::string remedy;
        if (value.failure && value.failure->status != kStatusWriteFault) {
            remedy = Filled(language, kMsgCheckRefused, std::to_string(value.failure->status));
        } else {
            remedy = Filled(language, kMsgCheckNotInEffect,
                            value.found ? ValueDataText(*value.found)
                                        : "error " + std::to_string(value.readStatus));
        }
        rows.push_back(Row(std::move(what), value.inEffect, std::move(remedy)));
    }
}

std::string_view DialogWhatKey(ProbeDialog dialog) {
    switch (dialog) {
        case ProbeDialog::ExplorerOpen:
            return kMsgCheckDialogExplorer;
        case ProbeDialog::ItemOpen:
            return kMsgCheckDialogItem;
        case ProbeDialog::FolderPicker:
            return kMsgCheckDialogFolder;
    }
    return kMsgCheckDialogExplorer;
}

CheckRow DialogRow(ProbeDialog dialog, DialogOutcome outcome, const Language& language) {
    const bool held = outcome == DialogOutcome::TakenOver || outcome == DialogOutcome::Blocked;
    std::string detail;
    if (outcome == DialogOutcome::TakenOver) detail = Text(language, kMsgCheckDialogTaken);
    if (outcome == DialogOutcome::Blocked) detail = Text(language, kMsgCheckDialogBlocked);
    return Row(Text(language, DialogWhatKey(dialog)), held, Text(language, kMsgCheckDialogFix),
               std::move(detail));
}

std::string ShellValue(Settings& settings) {
    SettingValue shell = std::string();
    settings.ReadSetting(policy_keys::kLocalMachine, policy_keys::kWinlogon, "Shell", "S", shell);
    const std::string* text = std::get_if<std::string>(&shell);
    return text ? *text : std::string();
}

// The shell value starts this program: ShellCommand's program part, then a blank.
bool NamesThisProgram(const std::string& shell, const std::string& programPath) {
    const std::string program = ShellCommand(programPath, "");
    return shell.size() > program.size() &&
           EqualsNoCase(std::string_view(shell).substr(0, program.size()), program);
}

bool IsThisSession(const SessionRecord& record, const LockDownSubject& subject) {
    return record.processId == subject.processId && record.taskBarWindow == subject.taskBarWindow &&
           record.currentFile == subject.definitionPath && !record.currentFile.empty();
}

}  // namespace

const char* ProbeKeyName(ProbeKey key) {
    switch (key) {
        case ProbeKey::WindowsKey:
            return "Windows key";
        case ProbeKey::ControlEscape:
            return "Ctrl+Esc";
        case ProbeKey::AltTab:
            return "Alt+Tab";
        case ProbeKey::ControlShiftEscape:
            return "Ctrl+Shift+Esc";
    }
    return "";
}

CheckRow PasswordRow(const Definition& definition, const Language& language) {
    const std::string what = Text(language, kMsgCheckPassword);
    if (!definition.AdminPasswordHash.empty()) return Row(what, true, {});
    if (definition.AdminPassword.empty()) {
        return Row(what, false, Text(language, kMsgCheckPasswordEmpty));
    }
    return Row(what, false, Text(language, kMsgCheckPasswordReversible));
}

CheckRow SessionRecordRow(const LockDownSubject& subject, const Language& language) {
    bool held = false;
    for (const char* hive : {kSessionRecordHive, kSessionRecordFallbackHive}) {
        held = held || IsThisSession(ReadSessionRecord(subject.settings, hive), subject);
    }
    return Row(Text(language, kMsgCheckRecord), held, Text(language, kMsgCheckRecordFix));
}

std::vector<CheckRow> RunLockDownCheck(const LockDownSubject& subject, LockDownProbePort& probes,
                                       const Language& language) {
    std::vector<CheckRow> rows;
    for (const ProbeKey key : kProbeKeys) {
        rows.push_back(Row(Filled(language, kMsgCheckKey, ProbeKeyName(key)),
                           !probes.KeyReachesWindow(key), Text(language, kMsgCheckKeyFix)));
    }
    for (const ProbeDialog dialog : kProbeDialogs) {
        rows.push_back(DialogRow(dialog, probes.OpenDialog(dialog), language));
    }
    const std::string page = PagePathFor(subject.definitionPath);
    for (const std::string& path :
         {subject.programFolder, subject.definitionPath, page, IconFolderOf(page)}) {
        rows.push_back(Row(Filled(language, kMsgCheckWrite, path), !probes.CanWrite(path),
                           Text(language, kMsgCheckWriteFix)));
    }
    rows.push_back(PasswordRow(subject.definition, language));
    if (IsChecked(subject.definition.ReplaceDesktop)) {
        rows.push_back(Row(Text(language, kMsgCheckDesktop), !probes.ExplorerTaskBarExists(),
                           Text(language, kMsgCheckDesktopFix)));
    }
    if (IsWindowsShellReplaced(subject.settings)) {
        const std::string shell = ShellValue(subject.settings);
        rows.push_back(Row(Text(language, kMsgCheckShell),
                           NamesThisProgram(shell, subject.programPath),
                           Filled(language, kMsgCheckShellFix, shell)));
    }
    rows.push_back(
        Row(Text(language, kMsgCheckWatchdog),
            subject.watchdogProcessId != 0 && probes.WatchdogRunning(subject.watchdogProcessId),
            Text(language, kMsgCheckWatchdogFix)));
    rows.push_back(SessionRecordRow(subject, language));
    // Last: one row per value, the longest part of the report.
    AddRestrictionRows(subject, language, rows);
    return rows;
}

}  // namespace vallora
