#include "language/messages.h"

#include <array>

namespace vallora {

namespace {

// The texts are shown as they have always read, spelling included, so that
// language files written against them still match.
constexpr std::array<BuiltInMessageText, 19> kBuiltIn{{
    {kMsgConfirmAction, "This operation cannot be undone. Are you sure you want to proceed?"},
    {kMsgSettingsChanged, "The Settings have been changed. Do you want to Save Changes?"},
    {kMsgFileReplaceWarning, "Warning! The File $ already exists. Overwrite?"},
    {kMsgErrorsOccoured, "Unable to save File, follwing Error was encountered:"},
    {kMsgClosing, "Closing in"},
    {kMsgProtocolWarning,
     "By displaying a Website as Hyperlink you must include the URL's Protocol: http://, "
     "file://, ftp:// etc."},
    {kMsgShellChanged, "The Windows Shell has been successfully changed to Vallora File: "},
    {kMsgShellRestored, "The Windows Shell has been sucessfully restored."},
    {kMsgSecuritySet, "The Computer Security has been successfully applied."},
    {kMsgSecurityReset, "The Computer Security has been successfully reset."},
    {kMsgShellRestoreAsk,
     "Vallora is currently running in Windows Shell mode.\r\nWould you like to restore the "
     "default Windows Shell?"},
    {kMsgSpecifyUrl,
     "You must specify an Application or an URL (Link to a Website, A Location on your Hard "
     "Disk i.e. C:\\MyFiles\\ etc.)"},
    {kCaptionLocation, "Location: "},
    {kMsgWarningFileNotFound,
     "Error Warning! The Vallora File $ could not be found. Please contact the System "
     "Administrator."},
    {kMsgPasswordWait, "Too many wrong entries. Please wait $ seconds."},
    {kMsgIdleWarning, "Are you still there? This desktop is reset in $ seconds."},
    {kMsgLastSessionUnclean,
     "The last desktop session did not end properly. Restore this computer's settings now?"},
    {kMsgSecurityNotWritten, "$ restrictions could not be written:"},
    {kMsgSecurityNeedsAdmin,
     "Values under HKEY_LOCAL_MACHINE can only be written by an administrator in a program "
     "started with elevated rights (\"Run as administrator\")."},
}};

}  // namespace

std::span<const BuiltInMessageText> BuiltInMessages() {
    return kBuiltIn;
}

std::string_view BuiltInMessage(std::string_view key) {
    for (const BuiltInMessageText& entry : kBuiltIn) {
        if (entry.key == key) return entry.text;
    }
    return {};
}

std::string FillPlaceholder(std::string_view text, std::string_view value) {
    std::string filled;
    filled.reserve(text.size() + value.size());
    for (char c : text) {
        if (c == '$') {
            filled += value;
        } else {
            filled += c;
        }
    }
    return filled;
}

}  // namespace vallora
