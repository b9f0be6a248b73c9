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
