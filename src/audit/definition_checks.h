#pragma once
// The lock-down checks that need only the definition, not a running session:
// what in the definition itself leaves a way out open or makes the desktop
// work against its own restrictions. vallora-tool prints them before a
// roll-out; the self-check of a running session shows them beside what it
// finds on the PC.
#include <string>
#include <string_view>
#include <vector>

#include "storage/definition.h"

namespace vallora {

enum class CheckSeverity {
    Ok,       // nothing to do
    Warning,  // works against the lock-down or the visitors; worth a look
    Severe,   // a way out or a password that protects nothing
};

enum class DefinitionCheck {
    Password,        // an administrator password is set
    PasswordStored,  // it is kept as a hash, not reversibly
    StartFolder,     // "NoRun" has a start folder for the file dialogs
    FolderEntries,   // no entry opens a folder while "NoRun" is set
    TextLinks,       // no entry is a text link while "NoRun" is set
    BrowserEntries,  // web entries come with a browser restriction
    IdleReset,       // the desktop is reset between visitors
};

struct DefinitionFinding {
    DefinitionCheck check;
    CheckSeverity severity;
    // The entry's section ("Program36") for a finding about one entry, else empty.
    std::string entry;
    // What was found and, when not Ok, what to do about it; one line.
    std::string text;

    bool operator==(const DefinitionFinding&) const = default;
};

// Every check in the order of DefinitionCheck: one Ok finding for a check
// that holds, else one finding per entry concerned (one for a check about the
// whole definition).
std::vector<DefinitionFinding> CheckDefinition(const Definition& definition);

// "ok", "warning", "severe".
std::string_view SeverityName(CheckSeverity severity);
// The check's short name, as the tool prints it ("password", "idle reset").
std::string_view CheckName(DefinitionCheck check);

bool AnySevere(const std::vector<DefinitionFinding>& findings);

// Whether an entry's URL opens a folder (a path ending in a backslash, a bare
// drive, or the file browser itself), or a web address (http, https, ftp,
// "www.").
bool OpensFolder(std::string_view url);
bool IsWebAddress(std::string_view url);

}  // namespace vallora
