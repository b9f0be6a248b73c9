#include "security/previous_values.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "security/clients_backup.h"
#include "security/computer_security.h"
#include "security_bench.h"

namespace vallora::security_test {
namespace {

const std::string kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const std::string kSystem = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
const std::string kWinlogon = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
const std::string kMain = "Software\\Microsoft\\Internet Explorer\\Main";
const std::string kClients = "Software\\Clients";
const std::string kVallora = "Software\\Brenmark\\Vallora";

RegistryValue Number(const std::string& name, uint32_t n) {
    return {name,
            kRegDword,
            {static_cast<uint8_t>(n), static_cast<uint8_t>(n >> 8), static_cast<uint8_t>(n >> 16),
             static_cast<uint8_t>(n >> 24)}};
}
RegistryValue String(const std::string& name, const std::string& text) {
    RegistryValue value{name, kRegSz, {text.begin(), text.end()}};
    value.data.push_back(0);
    return value;
}

// Refuses every change in one hive, as HKLM does for a standard account.
class HiveRefusingRegistry : public RegistryPort {
  public:
    HiveRefusingRegistry(RegistryPort& target, Hive refused) : target_(target), refused_(refused) {}
    long ReadValue(Hive h, const std::string& k, const std::string& n, RegistryValue& v) override {
        return target_.ReadValue(h, k, n, v);
    }
    long WriteValue(Hive h, const std::string& k, const RegistryValue& v) override {
        return h == refused_ ? kStatusAccessDenied : target_.WriteValue(h, k, v);
    }
    long DeleteValue(Hive h, const std::string& k, const std::string& n) override {
        return h == refused_ ? kStatusAccessDenied : target_.DeleteValue(h, k, n);
    }
    long DeleteSubKey(Hive h, const std::string& k, const std::string& s) override {
        return h == refused_ ? kStatusAccessDenied : target_.DeleteSubKey(h, k, s);
    }
    long EnumSubKeyNames(Hive h, const std::string& k, std::vector<std::string>& n) override {
        return target_.EnumSubKeyNames(h, k, n);
    }
    long EnumValues(Hive h, const std::string& k, std::vector<RegistryValue>& v) override {
        return target_.EnumValues(h, k, v);
    }

  private:
    RegistryPort& target_;
    Hive refused_;
};

Definition Everything() {
    Definition definition;
    definition.NoChangePwd = definition.NoLockComputer = definition.NoLogoff = 1;
    definition.NoShutDown = definition.NoAdministrativeTasks = definition.NoRun = 1;
    definition.NoNetWork = definition.ReplaceDesktop = definition.NoIEAdministrativeTasks = 1;
    definition.NoIEAdvancedTasks = definition.IEPrograms = definition.IEDisableFileDownload = 1;
    definition.HideDrives = "C;D";
    return definition;
}

class PreviousValues : public ::testing::Test {
  protected:
    PreviousValues() {
        // A school's own settings, of several types, before the first session.
        memory.WriteValue(Hive::LocalMachine, kExplorer, Number("NoRun", 5));
        memory.WriteValue(Hive::CurrentUser, kSystem, Number("DisableTaskMgr", 1));
        memory.WriteValue(Hive::LocalMachine, kWinlogon, Number("AutoRestartShell", 1));
        memory.WriteValue(Hive::CurrentUser, kMain, String("Disable Script Debugger", "maybe"));
        memory.WriteValue(Hive::LocalMachine, kClients + "\\Mail", String("", "Mailer"));
    }
    RegistryValue Read(Hive hive, const std::string& key, const std::string& name) {
        RegistryValue value;
        EXPECT_EQ(memory.ReadValue(hive, key, name, value), kStatusOk) << key << " " << name;
        return value;
    }

    MemoryRegistry memory;
    ProfileFile profile;
    Settings settings{memory, profile};
    RecordingRegistry log{memory};
    FakeSystem system{log};
    SecurityTarget target{settings, system};
};

TEST_F(PreviousValues, ResetPutsBackWhatWasThereAndResetsWhatWasAbsent) {
    const Definition definition = Everything();
    EXPECT_THAT(ApplyComputerSecurityKept(definition, target), ::testing::IsEmpty());
    EXPECT_EQ(Read(Hive::LocalMachine, kExplorer, "NoRun"), Number("NoRun", 1));
    EXPECT_TRUE(HasValuesJournal(memory));
    // A watchdog restart applies again: the first kept state stays.
    ApplyComputerSecurityKept(definition, target);

    ResetComputerSecurityKept(definition, target);
    EXPECT_EQ(Read(Hive::LocalMachine, kExplorer, "NoRun"), Number("NoRun", 5));
    EXPECT_EQ(Read(Hive::CurrentUser, kSystem, "DisableTaskMgr"), Number("DisableTaskMgr", 1));
    EXPECT_EQ(Read(Hive::LocalMachine, kWinlogon, "AutoRestartShell"),
              Number("AutoRestartShell", 1));
    EXPECT_EQ(Read(Hive::CurrentUser, kMain, "Disable Script Debugger"),
              String("Disable Script Debugger", "maybe"));
    // Absent before: the reset tables' own write.
    EXPECT_EQ(Read(Hive::LocalMachine, kExplorer, "NoFind"), Number("NoFind", 0));
    EXPECT_EQ(Read(Hive::LocalMachine, kExplorer, "NoDesktop"), Number("NoDesktop", 0));
    EXPECT_EQ(Read(Hive::LocalMachine, kClients + "\\Mail", ""), String("", "Mailer"));
    EXPECT_FALSE(HasValuesJournal(memory));
    EXPECT_FALSE(KeyExists(memory, Hive::LocalMachine, kVallora + "\\Backup"));
}

TEST_F(PreviousValues, JournalIsWrittenBeforeTheChange) {
    Definition definition;
    definition.NoRun = 1;
    RecordingRegistry recording(memory);
    Settings recorded(recording, profile);
    ApplyComputerSecurityKept(definition, {recorded, system});
    const std::vector<std::string> lines = ChangeLines(recording.Changes());
    const auto at = [&](const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) - lines.begin();
    };
    const auto kept = at(Dword(
        "HKLM", std::string(kValuesJournalKey) + "\\HKLM\\Previous\\" + kExplorer, "NoRun", 5));
    const auto written = at(Dword("HKLM", kExplorer, "NoRun", 1));
    EXPECT_LT(kept, written);
    EXPECT_LT(written, static_cast<long>(lines.size()));
}

TEST_F(PreviousValues, ResetWithoutJournalIsThePlainReset) {
    const Definition definition = Everything();
    MemoryRegistry other;
    RecordingRegistry plain(other);
    Settings plainSettings(plain, profile);
    ResetComputerSecurity(definition, {plainSettings, system});

    MemoryRegistry fresh;
    RecordingRegistry kept(fresh);
    Settings keptSettings(kept, profile);
    ResetComputerSecurityKept(definition, {keptSettings, system});
    EXPECT_EQ(ChangeLines(kept.Changes()), ChangeLines(plain.Changes()));
}

TEST_F(PreviousValues, RefusedMachineValuesAreReportedAndTheUserValuesStillComeBack) {
    HiveRefusingRegistry standardAccount(memory, Hive::LocalMachine);
    Settings limited(standardAccount, profile);
    RecordingRegistry calls(memory);
    FakeSystem watched(calls);
    const Definition definition = Everything();
    const std::vector<WriteFailure> failures =
        ApplyComputerSecurityKept(definition, {limited, watched});

    ASSERT_FALSE(failures.empty());
    for (const WriteFailure& failure : failures) {
        EXPECT_EQ(failure.hive, Hive::LocalMachine) << failure.keyPath << " " << failure.name;
        EXPECT_EQ(failure.status, kStatusAccessDenied);
    }
    EXPECT_NE(FailureLines(failures).find("HKLM\\" + kExplorer + " [NoRun]: error 5"),
              std::string::npos);
    // "AutoRestartShell" never read 0: Explorer is left running.
    EXPECT_THAT(ChangeLines(calls.Changes()),
                ::testing::Not(::testing::Contains(Note("port: end explorer"))));
    EXPECT_EQ(Read(Hive::CurrentUser, kSystem, "DisableTaskMgr"), Number("DisableTaskMgr", 1));
    EXPECT_TRUE(KeyExists(memory, Hive::CurrentUser, kValuesJournalKey));
    EXPECT_FALSE(KeyExists(memory, Hive::LocalMachine, kValuesJournalKey));

    ResetComputerSecurityKept(definition, {limited, watched});
    EXPECT_EQ(Read(Hive::CurrentUser, kMain, "Disable Script Debugger"),
              String("Disable Script Debugger", "maybe"));
    EXPECT_EQ(Read(Hive::LocalMachine, kExplorer, "NoRun"), Number("NoRun", 5));
    EXPECT_EQ(Read(Hive::CurrentUser, kSystem, "DisableTaskMgr"), Number("DisableTaskMgr", 1));
    EXPECT_FALSE(HasValuesJournal(memory));
}

TEST_F(PreviousValues, ChangeWhoseStateCannotBeKeptIsNotMade) {
    // Nowhere to keep anything: nothing may change, and all of it is reported.
    HiveRefusingRegistry noMachine(memory, Hive::LocalMachine);
    HiveRefusingRegistry nothing(noMachine, Hive::CurrentUser);
    Settings locked(nothing, profile);
    Definition definition;
    definition.NoChangePwd = 1;
    const std::vector<WriteFailure> failures =
        ApplyComputerSecurityKept(definition, {locked, system});
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].name, "DisableChangePassword");
    RegistryValue none;
    EXPECT_EQ(memory.ReadValue(Hive::CurrentUser, kSystem, "DisableChangePassword", none),
              kStatusNotFound);
}

}  // namespace
}  // namespace vallora::security_test
