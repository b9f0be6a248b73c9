#include "security/previous_values.h"

#include <array>
#include <set>

#include "security/clients_backup.h"
#include "security/computer_security.h"
#include "security/policy_keys.h"
#include "storage/ascii_case.h"
#include "storage/settings.h"

namespace vallora {

namespace {

constexpr std::array<Hive, 2> kJournalHives{Hive::LocalMachine, Hive::CurrentUser};

// Keys with a record of their own: Vallora's records, and the browser
// policies, whose record also knows which list entries were there before.
constexpr std::array<const char*, 3> kOwnRecords{
    "Software\\Brenmark\\Vallora", policy_keys::kEdgePolicies, policy_keys::kChromePolicies};

const char* HiveName(Hive hive) {
    switch (hive) {
        case Hive::CurrentUser:
            return "HKCU";
        case Hive::LocalMachine:
            return "HKLM";
        default:
            return nullptr;
    }
}

std::string Trimmed(const std::string& keyPath) {
    const size_t first = keyPath.find_first_not_of('\\');
    if (first == std::string::npos) return {};
    const size_t last = keyPath.find_last_not_of('\\');
    return keyPath.substr(first, last - first + 1);
}

bool StartsWithKey(const std::string& keyPath, std::string_view prefix) {
    if (keyPath.size() < prefix.size()) return false;
    if (!EqualsNoCase(std::string_view(keyPath).substr(0, prefix.size()), prefix)) return false;
    return keyPath.size() == prefix.size() || keyPath[prefix.size()] == '\\';
}

bool HasOwnRecord(const std::string& keyPath) {
    for (const char* own : kOwnRecords) {
        if (StartsWithKey(keyPath, own)) return true;
    }
    return false;
}

bool IsVallorasRecord(const std::string& keyPath) {
    return StartsWithKey(keyPath, kOwnRecords[0]);
}

// Where the journal keeps a value of `hive`; `part` is "Previous" or "Added".
std::string JournalKey(Hive hive, const char* part, const std::string& keyPath) {
    return std::string(kValuesJournalKey) + "\\" + HiveName(hive) + "\\" + part + "\\" + keyPath;
}

bool Found(RegistryPort& registry, Hive hive, const std::string& key, const std::string& name,
           RegistryValue& out) {
    return registry.ReadValue(hive, key, name, out) == kStatusOk;
}

// The previous value kept for hive\keyPath\name, in whichever hive holds it.
bool KeptPrevious(RegistryPort& registry, Hive hive, const std::string& keyPath,
                  const std::string& name, RegistryValue& out) {
    for (Hive journal : kJournalHives) {
        if (Found(registry, journal, JournalKey(hive, "Previous", keyPath), name, out)) return true;
    }
    return false;
}

struct KeptValue {
    Hive hive;
    std::string keyPath;
    RegistryValue value;
};

void CollectPrevious(RegistryPort& registry, Hive journal, Hive hive, const std::string& root,
                     const std::string& subKey, std::vector<KeptValue>& out) {
    const std::string key = subKey.empty() ? root : root + "\\" + subKey;
    std::vector<RegistryValue> values;
    if (registry.EnumValues(journal, key, values) == kStatusOk) {
        for (RegistryValue& value : values) out.push_back({hive, subKey, std::move(value)});
    }
    std::vector<std::string> names;
    if (registry.EnumSubKeyNames(journal, key, names) == kStatusOk) {
        for (const std::string& name : names) {
            CollectPrevious(registry, journal, hive, root,
                            subKey.empty() ? name : subKey + "\\" + name, out);
        }
    }
}

std::string Identity(Hive hive, const std::string& keyPath, const std::string& name) {
    return std::string(HiveName(hive)) + "\\" + ToUpperAscii(keyPath) + "\\\\" + ToUpperAscii(name);
}

// Writes a value's kept previous state at the place where the reset changes it.
class RestoringRegistry : public RegistryPort {
  public:
    explicit RestoringRegistry(RegistryPort& target) : target_(target) {}

    long ReadValue(Hive h, const std::string& k, const std::string& n, RegistryValue& v) override {
        return target_.ReadValue(h, k, n, v);
    }
    long WriteValue(Hive h, const std::string& k, const RegistryValue& v) override {
        if (RegistryValue previous;
            Restorable(h, k) && KeptPrevious(target_, h, Trimmed(k), v.name, previous)) {
            return PutBack(h, k, v.name, previous);
        }
        return target_.WriteValue(h, k, v);
    }
    long DeleteValue(Hive h, const std::string& k, const std::string& n) override {
        if (RegistryValue previous;
            Restorable(h, k) && KeptPrevious(target_, h, Trimmed(k), n, previous)) {
            return PutBack(h, k, n, previous);
        }
        return target_.DeleteValue(h, k, n);
    }
    long DeleteSubKey(Hive h, const std::string& k, const std::string& s) override {
        return target_.DeleteSubKey(h, k, s);
    }
    long EnumSubKeyNames(Hive h, const std::string& k, std::vector<std::string>& n) override {
        return target_.EnumSubKeyNames(h, k, n);
    }
    long EnumValues(Hive h, const std::string& k, std::vector<RegistryValue>& v) override {
        return target_.EnumValues(h, k, v);
    }

    // Writes back the previous values the reset did not touch; true when every
    // previous value is in place.
    bool PutBackTheRest() {
        for (Hive journal : kJournalHives) {
            for (Hive hive : kJournalHives) {
                std::vector<KeptValue> kept;
                CollectPrevious(target_, journal, hive, JournalKey(hive, "Previous", ""), "", kept);
                for (KeptValue& value : kept) {
                    if (putBack_.contains(Identity(hive, value.keyPath, value.value.name)))
                        continue;
                    const std::string name = value.value.name;
                    PutBack(hive, value.keyPath, name, value.value);
                }
            }
        }
        return complete_;
    }

  private:
    static bool Restorable(Hive hive, const std::string& keyPath) {
        return HiveName(hive) && !IsVallorasRecord(Trimmed(keyPath));
    }
    long PutBack(Hive hive, const std::string& keyPath, const std::string& name,
                 RegistryValue previous) {
        previous.name = name;
        long status = target_.WriteValue(hive, keyPath, previous);
        // A value whose change was refused still holds its previous state.
        RegistryValue now;
        if (status != kStatusOk && target_.ReadValue(hive, keyPath, name, now) == kStatusOk &&
            now.type == previous.type && now.data == previous.data) {
            status = kStatusOk;
        }
        if (status == kStatusOk) {
            putBack_.insert(Identity(hive, Trimmed(keyPath), name));
        } else {
            complete_ = false;
        }
        return status;
    }

    RegistryPort& target_;
    std::set<std::string> putBack_;
    bool complete_ = true;
};

void DeleteEmptyBackupKey(RegistryPort& registry, Hive hive) {
    std::vector<std::string> subKeys;
    std::vector<RegistryValue> values;
    if (registry.EnumSubKeyNames(hive, kClientsBackupParent, subKeys) == kStatusOk &&
        subKeys.empty() && registry.EnumValues(hive, kClientsBackupParent, values) == kStatusOk &&
        values.empty()) {
        registry.DeleteSubKey(hive, kClientsBackupParent, "");
    }
}

}  // namespace

JournalingRegistry::JournalingRegistry(RegistryPort& target) : target_(target) {}

long JournalingRegistry::ReadValue(Hive hive, const std::string& keyPath, const std::string& name,
                                   RegistryValue& out) {
    return target_.ReadValue(hive, keyPath, name, out);
}

long JournalingRegistry::WriteValue(Hive hive, const std::string& keyPath,
                                    const RegistryValue& value) {
    if (!Keep(hive, keyPath, value.name)) {
        failures_.push_back({hive, Trimmed(keyPath), value.name, kStatusAccessDenied});
        return kStatusAccessDenied;
    }
    const long status = target_.WriteValue(hive, keyPath, value);
    Verify(hive, keyPath, value.name, &value, status);
    return status;
}

long JournalingRegistry::DeleteValue(Hive hive, const std::string& keyPath,
                                     const std::string& name) {
    if (!Keep(hive, keyPath, name)) {
        failures_.push_back({hive, Trimmed(keyPath), name, kStatusAccessDenied});
        return kStatusAccessDenied;
    }
    const long status = target_.DeleteValue(hive, keyPath, name);
    Verify(hive, keyPath, name, nullptr, status == kStatusNotFound ? kStatusOk : status);
    return status;
}

long JournalingRegistry::DeleteSubKey(Hive hive, const std::string& keyPath,
                                      const std::string& subKey) {
    return target_.DeleteSubKey(hive, keyPath, subKey);
}

long JournalingRegistry::EnumSubKeyNames(Hive hive, const std::string& keyPath,
                                         std::vector<std::string>& names) {
    return target_.EnumSubKeyNames(hive, keyPath, names);
}

long JournalingRegistry::EnumValues(Hive hive, const std::string& keyPath,
                                    std::vector<RegistryValue>& values) {
    return target_.EnumValues(hive, keyPath, values);
}

bool JournalingRegistry::Keep(Hive hive, const std::string& keyPath, const std::string& name) {
    const std::string key = Trimmed(keyPath);
    if (!HiveName(hive) || HasOwnRecord(key)) return true;
    RegistryValue kept;
    for (Hive journal : kJournalHives) {
        if (Found(target_, journal, JournalKey(hive, "Previous", key), name, kept) ||
            Found(target_, journal, JournalKey(hive, "Added", key), name, kept)) {
            return true;
        }
    }
    RegistryValue previous;
    const long status = target_.ReadValue(hive, key, name, previous);
    if (status != kStatusOk && status != kStatusNotFound) return false;
    // An absent value is kept as an empty text in "Added"; a present one with
    // its own type and data in "Previous".
    RegistryValue entry = status == kStatusOk ? previous : RegistryValue{name, kRegSz, {0}};
    entry.name = name;
    const char* part = status == kStatusOk ? "Previous" : "Added";
    for (Hive journal : kJournalHives) {
        if (target_.WriteValue(journal, JournalKey(hive, part, key), entry) == kStatusOk) {
            return true;
        }
    }
    return false;
}

void JournalingRegistry::Verify(Hive hive, const std::string& keyPath, const std::string& name,
                                const RegistryValue* expected, long status) {
    if (IsVallorasRecord(Trimmed(keyPath))) return;
    if (status == kStatusOk) {
        RegistryValue actual;
        const long read = target_.ReadValue(hive, keyPath, name, actual);
        if (expected) {
            if (read != kStatusOk) {
                status = read;
            } else if (actual.type != expected->type || actual.data != expected->data) {
                status = kStatusWriteFault;
            }
        } else if (read == kStatusOk) {
            status = kStatusWriteFault;
        }
    }
    if (status != kStatusOk) failures_.push_back({hive, Trimmed(keyPath), name, status});
}

bool HasValuesJournal(RegistryPort& registry) {
    for (Hive journal : kJournalHives) {
        if (KeyExists(registry, journal, kValuesJournalKey)) return true;
    }
    return false;
}

std::vector<WriteFailure> ApplyComputerSecurityKept(const Definition& definition,
                                                    const SecurityTarget& target) {
    JournalingRegistry journaling(target.settings.registry());
    Settings settings(journaling, target.settings.profile());
    ApplyComputerSecurity(definition, {settings, target.system, target.note});
    return journaling.Failures();
}

void ResetComputerSecurityKept(const Definition& definition, const SecurityTarget& target) {
    RegistryPort& registry = target.settings.registry();
    if (!HasValuesJournal(registry)) {
        ResetComputerSecurity(definition, target);
        return;
    }
    RestoringRegistry restoring(registry);
    Settings settings(restoring, target.settings.profile());
    ResetComputerSecurity(definition, {settings, target.system, target.note});
    if (!restoring.PutBackTheRest()) return;  // the journal stays for the next reset
    for (Hive journal : kJournalHives) {
        target.settings.DeleteKeyTree(HiveName(journal), kValuesJournalKey, "");
        DeleteEmptyBackupKey(registry, journal);
    }
}

bool MachineValuesRefused(const std::vector<WriteFailure>& failures) {
    for (const WriteFailure& failure : failures) {
        if (failure.hive == Hive::LocalMachine && failure.status == kStatusAccessDenied) {
            return true;
        }
    }
    return false;
}

std::string FailureLine(const WriteFailure& failure) {
    const char* hive = HiveName(failure.hive);
    return std::string(hive ? hive : "?") + "\\" + failure.keyPath + " [" + failure.name +
           "]: error " + std::to_string(failure.status);
}

std::string FailureLines(const std::vector<WriteFailure>& failures) {
    std::string lines;
    for (const WriteFailure& failure : failures) lines += FailureLine(failure) + "\r\n";
    return lines;
}

}  // namespace vallora
