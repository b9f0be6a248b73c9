#pragma once
// The message texts of message boxes, count-downs and the location caption,
// by key, with the English texts built into the program. A "$" in a text
// stands for what the caller fills in (a file name, a number of seconds).
#include <span>
#include <string>
#include <string_view>

namespace vallora {

inline constexpr std::string_view kMsgConfirmAction = "MSG_CONFIRM_ACTION";
inline constexpr std::string_view kMsgSettingsChanged = "MSG_SETTINGS_CHANGED";
inline constexpr std::string_view kMsgFileReplaceWarning = "MSG_FILE_REPLACE_WARNING";
inline constexpr std::string_view kMsgErrorsOccoured = "MSG_ERRORS_OCCOURED";
inline constexpr std::string_view kMsgClosing = "MSG_CLOSING";
inline constexpr std::string_view kMsgProtocolWarning = "MSG_PROTOCOL_WARNING";
inline constexpr std::string_view kMsgShellChanged = "MSG_SHELL_CHANGED";
inline constexpr std::string_view kMsgShellRestored = "MSG_SHELL_RESTORED";
inline constexpr std::string_view kMsgSecuritySet = "MSG_SECURITY_SET";
inline constexpr std::string_view kMsgSecurityReset = "MSG_SECURITY_RESET";
inline constexpr std::string_view kMsgShellRestoreAsk = "MSG_SHELL_RESTORE_ASK";
inline constexpr std::string_view kMsgSpecifyUrl = "MSG_SPECIFY_URL";
inline constexpr std::string_view kCaptionLocation = "CAPTION_LOCATION";
inline constexpr std::string_view kMsgWarningFileNotFound = "MSG_WARNING_FILE_NOT_FOUND";
inline constexpr std::string_view kMsgPasswordWait = "MSG_PASSWORD_WAIT";
inline constexpr std::string_view kMsgIdleWarning = "MSG_IDLE_WARNING";
inline constexpr std::string_view kMsgLastSessionUnclean = "MSG_LAST_SESSION_UNCLEAN";
inline constexpr std::string_view kMsgSecurityNotWritten = "MSG_SECURITY_NOT_WRITTEN";
inline constexpr std::string_view kMsgSecurityNeedsAdmin = "MSG_SECURITY_NEEDS_ADMIN";
// The lock-down check's report.
inline constexpr std::string_view kMsgCheckHeld = "MSG_CHECK_HELD";
inline constexpr std::string_view kMsgCheckOpen = "MSG_CHECK_OPEN";
inline constexpr std::string_view kMsgCheckColumnWhat = "MSG_CHECK_COLUMN_WHAT";
inline constexpr std::string_view kMsgCheckColumnState = "MSG_CHECK_COLUMN_STATE";
inline constexpr std::string_view kMsgCheckColumnFix = "MSG_CHECK_COLUMN_FIX";
inline constexpr std::string_view kMsgCheckSummary = "MSG_CHECK_SUMMARY";
inline constexpr std::string_view kMsgCheckSaved = "MSG_CHECK_SAVED";
inline constexpr std::string_view kMsgCheckRestriction = "MSG_CHECK_RESTRICTION";
inline constexpr std::string_view kMsgCheckRefused = "MSG_CHECK_REFUSED";
inline constexpr std::string_view kMsgCheckNotInEffect = "MSG_CHECK_NOT_IN_EFFECT";
inline constexpr std::string_view kMsgCheckKey = "MSG_CHECK_KEY";
inline constexpr std::string_view kMsgCheckKeyFix = "MSG_CHECK_KEY_FIX";
inline constexpr std::string_view kMsgCheckDialogExplorer = "MSG_CHECK_DIALOG_EXPLORER";
inline constexpr std::string_view kMsgCheckDialogItem = "MSG_CHECK_DIALOG_ITEM";
inline constexpr std::string_view kMsgCheckDialogFolder = "MSG_CHECK_DIALOG_FOLDER";
inline constexpr std::string_view kMsgCheckDialogTaken = "MSG_CHECK_DIALOG_TAKEN";
inline constexpr std::string_view kMsgCheckDialogBlocked = "MSG_CHECK_DIALOG_BLOCKED";
inline constexpr std::string_view kMsgCheckDialogFix = "MSG_CHECK_DIALOG_FIX";
inline constexpr std::string_view kMsgCheckWrite = "MSG_CHECK_WRITE";
inline constexpr std::string_view kMsgCheckWriteFix = "MSG_CHECK_WRITE_FIX";
inline constexpr std::string_view kMsgCheckPassword = "MSG_CHECK_PASSWORD";
inline constexpr std::string_view kMsgCheckPasswordEmpty = "MSG_CHECK_PASSWORD_EMPTY";
inline constexpr std::string_view kMsgCheckPasswordReversible = "MSG_CHECK_PASSWORD_REVERSIBLE";
inline constexpr std::string_view kMsgCheckDesktop = "MSG_CHECK_DESKTOP";
inline constexpr std::string_view kMsgCheckDesktopFix = "MSG_CHECK_DESKTOP_FIX";
inline constexpr std::string_view kMsgCheckShell = "MSG_CHECK_SHELL";
inline constexpr std::string_view kMsgCheckShellFix = "MSG_CHECK_SHELL_FIX";
inline constexpr std::string_view kMsgCheckWatchdog = "MSG_CHECK_WATCHDOG";
inline constexpr std::string_view kMsgCheckWatchdogFix = "MSG_CHECK_WATCHDOG_FIX";
inline constexpr std::string_view kMsgCheckRecord = "MSG_CHECK_RECORD";
inline constexpr std::string_view kMsgCheckRecordFix = "MSG_CHECK_RECORD_FIX";

struct BuiltInMessageText {
    std::string_view key;
    std::string_view text;
};

// Every key with its English text.
std::span<const BuiltInMessageText> BuiltInMessages();

// The English text of key; empty for a key without one.
std::string_view BuiltInMessage(std::string_view key);

// The text with every "$" replaced by value.
std::string FillPlaceholder(std::string_view text, std::string_view value);

}  // namespace vallora
