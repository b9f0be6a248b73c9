#pragma once
// The journal of previous values: before apply first changes a registry value,
// the state it had (absent, or its type and data) is kept, so that a reset
// puts back what was there instead of writing the reset tables' defaults over
// an administrator's own settings. Layout, beside the Clients and browser
// records in the same format as the browser record (policy_backup.h):
//   <record>\Backup\Values\<HKCU|HKLM>\Previous\<key path>  the value as it was
//   <record>\Backup\Values\<HKCU|HKLM>\Added\<key path>     empty text: it was absent
// The journal sits in HKLM, or in HKCU when HKLM refuses it (a standard
// account). A value is recorded the first time only, so a second apply (a
// restarted session) keeps the state from before the first.
#include <string>
#include <vector>

#include "platform/registry_port.h"
#include "security/security_target.h"
#include "storage/definition.h"

namespace vallora {

inline constexpr char kValuesJournalKey[] = "Software\\Brenmark\\Vallora\\Backup\\Values";

// A change that did not take effect: where, and the system's answer.
struct WriteFailure {
    Hive hive = Hive::CurrentUser;
    std::string keyPath;
    std::string name;
    long status = 0;  // a Win32 error code; kStatusWriteFault when the value read back differs
};

// Passes every call on; before a value outside Vallora's own records is first
// written or deleted, keeps its previous state in the journal, and refuses
// the change when that state cannot be kept (no reset could take it back).
// After each change the value is read back; what did not take is collected.
class JournalingRegistry : public RegistryPort {
  public:
    explicit JournalingRegistry(RegistryPort& target);

    long ReadValue(Hive hive, const std::string& keyPath, const std::string& name,
                   RegistryValue& out) override;
    long WriteValue(Hive hive, const std::string& keyPath, const RegistryValue& value) override;
    long DeleteValue(Hive hive, const std::string& keyPath, const std::string& name) override;
    long DeleteSubKey(Hive hive, const std::string& keyPath, const std::string& subKey) override;
    long EnumSubKeyNames(Hive hive, const std::string& keyPath,
                         std::vector<std::string>& names) override;
    long EnumValues(Hive hive, const std::string& keyPath,
                    std::vector<RegistryValue>& values) override;

    const std::vector<WriteFailure>& Failures() const { return failures_; }

  private:
    // Whether the previous state is kept (or need not be); false refuses the change.
    bool Keep(Hive hive, const std::string& keyPath, const std::string& name);
    void Verify(Hive hive, const std::string& keyPath, const std::string& name,
                const RegistryValue* expected, long status);

    RegistryPort& target_;
    std::vector<WriteFailure> failures_;
};

// Whether a journal of previous values exists in either hive.
bool HasValuesJournal(RegistryPort& registry);

// Applies the definition's restrictions with the journal kept and every change
// verified; returns the changes that did not take effect.
std::vector<WriteFailure> ApplyComputerSecurityKept(const Definition& definition,
                                                    const SecurityTarget& target);

// Runs the reset; where the journal holds a value's previous state, that state
// is written at the reset's place instead of the reset's value, and previous
// values the reset does not touch are written back after it. A value that was
// absent gets the reset's own write. The journal is removed once everything
// in it was put back. Without a journal this is the plain reset.
void ResetComputerSecurityKept(const Definition& definition, const SecurityTarget& target);

// "HKLM\key [name]: error 5", without a line end.
std::string FailureLine(const WriteFailure& failure);
// One line per failure, each ending in CR LF.
std::string FailureLines(const std::vector<WriteFailure>& failures);

// Whether HKLM refused a change: the account lacks elevated administrator rights.
bool MachineValuesRefused(const std::vector<WriteFailure>& failures);

}  // namespace vallora
