#pragma once
// The lock-down check of a running desktop session: one row per way out of
// the kiosk, held or open, with what to do about an open one. The decisions
// are made here; pressing keys, opening dialogs and looking at files and
// processes is the probe port's part, done for real by the session.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "language/language.h"
#include "security/previous_values.h"
#include "storage/definition.h"
#include "storage/settings.h"

namespace vallora {

enum class CheckState { Held, Open };

struct CheckRow {
    std::string what;
    CheckState state = CheckState::Held;
    std::string detail;  // what was found, beside the state; may be empty
    std::string remedy;  // what to do; empty for a held row

    bool operator==(const CheckRow&) const = default;
};

// The key presses the keyboard lock must keep from every program.
enum class ProbeKey { WindowsKey, ControlEscape, AltTab, ControlShiftEscape };
inline constexpr std::array<ProbeKey, 4> kProbeKeys{ProbeKey::WindowsKey, ProbeKey::ControlEscape,
                                                    ProbeKey::AltTab, ProbeKey::ControlShiftEscape};
// "Windows key", "Ctrl+Esc", ...
const char* ProbeKeyName(ProbeKey key);

// The file dialogs an application can open.
enum class ProbeDialog { ExplorerOpen, ItemOpen, FolderPicker };
inline constexpr std::array<ProbeDialog, 3> kProbeDialogs{
    ProbeDialog::ExplorerOpen, ProbeDialog::ItemOpen, ProbeDialog::FolderPicker};

enum class DialogOutcome {
    TakenOver,  // hidden and replaced by the restricted file dialog
    Blocked,    // closed with the blocked-function notice
    LeftOpen,   // still there for the visitor when the wait ended
    NotShown,   // the probe process showed no dialog
};

// What the check asks of the running system.
class LockDownProbePort {
  public:
    virtual ~LockDownProbePort() = default;
    // Synthesises the key press; true when it reached a window of the check.
    virtual bool KeyReachesWindow(ProbeKey key) = 0;
    // Opens the dialog in a process of its own, lets the guard act, and
    // closes whatever was opened.
    virtual DialogOutcome OpenDialog(ProbeDialog dialog) = 0;
    // Whether the session's user can change the file, or create files in the
    // folder; for a missing path, whether the user can create it.
    virtual bool CanWrite(const std::string& path) = 0;
    // Whether a task bar window of Explorer exists.
    virtual bool ExplorerTaskBarExists() = 0;
    // Whether the process runs the watchdog program.
    virtual bool WatchdogRunning(std::uint32_t processId) = 0;
};

// The running session as the check sees it.
struct LockDownSubject {
    const Definition& definition;
    std::string definitionPath;  // as on the command line
    Settings& settings;          // the registry the session wrote its restrictions to
    std::vector<WriteFailure> applyFailures;
    std::string programFolder;  // without a trailing backslash
    std::string programPath;    // the running program file
    std::uint32_t processId = 0;
    std::uintptr_t taskBarWindow = 0;
    std::uint32_t watchdogProcessId = 0;
};

// Every check, in the order of the report: keyboard lock, file dialogs,
// files, password, shell and desktop, watchdog and session record, then each
// restriction value.
std::vector<CheckRow> RunLockDownCheck(const LockDownSubject& subject, LockDownProbePort& probes,
                                       const Language& language);

// The rows without a live system: password and session record.
CheckRow PasswordRow(const Definition& definition, const Language& language);
CheckRow SessionRecordRow(const LockDownSubject& subject, const Language& language);

}  // namespace vallora
