#include "language/messages.h"

#include <array>

namespace vallora {

namespace {

// The texts are shown as they have always read, spelling included, so that
// language files written against them still match.
constexpr std::array<BuiltInMessageText, 50> kBuiltIn{{
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
    {kMsgCheckHeld, "held"},
    {kMsgCheckOpen, "open"},
    {kMsgCheckColumnWhat, "Check"},
    {kMsgCheckColumnState, "State"},
    {kMsgCheckColumnFix, "What to do when open"},
    {kMsgCheckSummary, "Lock-down check: $ open"},
    {kMsgCheckSaved, "The report is saved as $"},
    {kMsgCheckRestriction, "Restriction $"},
    {kMsgCheckRefused,
     "Not written (error $): the account may not write this key. Start the session as an "
     "administrator with elevated rights, or give the account write access to the key."},
    {kMsgCheckNotInEffect,
     "Not in effect (it reads $): apply the restrictions again and look for a policy or program "
     "that changes the value."},
    {kMsgCheckKey, "Keyboard lock: $"},
    {kMsgCheckKeyFix,
     "The key press reached a program. Tick \"No Administrative Tasks\" in the definition: the "
     "session then locks these keys."},
    {kMsgCheckDialogExplorer, "File dialog: open dialog (Explorer style)"},
    {kMsgCheckDialogItem, "File dialog: Common Item Dialog"},
    {kMsgCheckDialogFolder, "File dialog: folder picker"},
    {kMsgCheckDialogTaken, "taken over"},
    {kMsgCheckDialogBlocked, "blocked"},
    {kMsgCheckDialogFix,
     "The dialog stayed open to the visitor. Tick \"Disable Drive Access over Commandline\" and "
     "set a Save/Open Default Location."},
    {kMsgCheckWrite, "Write access: $"},
    {kMsgCheckWriteFix,
     "The session's user can change this, and with it what the kiosk shows and runs. Take the "
     "write right away from the account (Properties, Security)."},
    {kMsgCheckPassword, "Administrator password"},
    {kMsgCheckPasswordEmpty,
     "No password is set: anyone can end the session. Set a password and tick \"Protect the "
     "password\"."},
    {kMsgCheckPasswordReversible,
     "The password is stored reversibly: whoever can read the definition can read it. Tick "
     "\"Protect the password\"."},
    {kMsgCheckDesktop, "Explorer task bar (Replace Desktop)"},
    {kMsgCheckDesktopFix,
     "Explorer's task bar still runs beside the session. End Explorer or start the session again, "
     "and check that nothing restarts it."},
    {kMsgCheckShell, "Windows shell (shell mode)"},
    {kMsgCheckShellFix,
     "The Winlogon shell value does not name this Vallora (it reads $). Replace the Windows shell "
     "again from the editor's Tools menu."},
    {kMsgCheckWatchdog, "Watchdog (ValloraRun)"},
    {kMsgCheckWatchdogFix,
     "The watchdog does not run, so a hung session is not restarted. Keep ValloraRun.exe beside "
     "Vallora.exe and start the session again."},
    {kMsgCheckRecord, "Session record"},
    {kMsgCheckRecordFix,
     "The session record is missing or names another session, so the watchdog does not watch this "
     "one. Start the session again."},
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
