#include "security/clients_backup.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "refusing_registry.h"
#include "security/browser_restrictions.h"
#include "security_bench.h"

namespace vallora::security_test {
namespace {

const std::string kClients = "Software\\Clients";
const std::string kBackup = "Software\\Brenmark\\Vallora\\Backup\\Clients";

RegistryValue Value(std::string name, uint32_t type, std::vector<uint8_t> data) {
    return {std::move(name), type, std::move(data)};
}
RegistryValue TextValue(std::string name, const std::string& text, uint32_t type = kRegSz) {
    std::vector<uint8_t> data(text.begin(), text.end());
    data.push_back(0);
    return Value(std::move(name), type, std::move(data));
}

// A Clients tree with every kind of value, a default value, a key holding only
// subkeys and an empty key.
void AddClients(RegistryPort& registry) {
    const Hive m = Hive::LocalMachine;
    registry.WriteValue(m, kClients, Value("Order", kRegDword, {3, 0, 0, 0}));
    registry.WriteValue(m, kClients + "\\Mail", TextValue("", "Mailer"));
    registry.WriteValue(m, kClients + "\\Mail\\Mailer",
                        TextValue("DLLPath", "%ProgramFiles%\\m.dll", kRegExpandSz));
    registry.WriteValue(m, kClients + "\\Mail\\Mailer\\Protocols\\mailto",
                        Value("EditFlags", kRegBinary, {2, 0, 0, 0}));
    registry.WriteValue(m, kClients + "\\Mail\\Mailer\\Protocols\\mailto",
                        TextValue("URL Protocol", ""));
    registry.WriteValue(m, kClients + "\\Mail\\Mailer\\shell\\open\\command",
                        TextValue("", "\"C:\\Mail\\m.exe\" /mail"));
    registry.WriteValue(m, kClients + "\\News\\Reader",
                        Value("Names", kRegMultiSz, {'a', 0, 'b', 0, 0}));
    registry.WriteValue(m, kClients + "\\News\\Reader\\Empty", TextValue("gone", ""));
    registry.DeleteValue(m, kClients + "\\News\\Reader\\Empty", "gone");
}

class ClientsBackup : public ::testing::Test {
  protected:
    ClientsBackup() {
        AddClients(memory);
        original = TreeLines(memory, Hive::LocalMachine, kClients);
        programs.IEPrograms = 1;
    }
    bool Exists(const std::string& key) { return KeyExists(memory, Hive::LocalMachine, key); }

    MemoryRegistry memory;
    ProfileFile profile;
    Settings settings{memory, profile};
    RecordingRegistry log{memory};
    FakeSystem system{log};
    std::vector<std::string> original;
    Definition programs;
};

TEST_F(ClientsBackup, ApplyKeepsACompleteCopyBeforeRemovingTheKey) {
    ApplyBrowserRestrictions(programs, {settings, system});
    EXPECT_FALSE(Exists(kClients));
    EXPECT_EQ(TreeLines(memory, Hive::LocalMachine, kBackup), original);

    // A second apply finds no Clients key and leaves the copy alone.
    ApplyBrowserRestrictions(programs, {settings, system});
    EXPECT_EQ(TreeLines(memory, Hive::LocalMachine, kBackup), original);
}

TEST_F(ClientsBackup, ResetPutsTheKeyBackAndRemovesTheCopy) {
    memory.WriteValue(Hive::LocalMachine, "Software\\Brenmark\\Vallora",
                      TextValue("CurrentFile", "C:\\Desks\\Kiosk.vla"));
    ApplyBrowserRestrictions(programs, {settings, system});
    ApplyBrowserRestrictions(programs, {settings, system});
    ResetBrowserRestrictions(programs, {settings, system});
    EXPECT_EQ(TreeLines(memory, Hive::LocalMachine, kClients), original);
    EXPECT_FALSE(Exists("Software\\Brenmark\\Vallora\\Backup"));
    EXPECT_TRUE(Exists("Software\\Brenmark\\Vallora"));
}

TEST_F(ClientsBackup, ResetWithoutCopyCreatesNoClientsKey) {
    MemoryRegistry empty;
    Settings emptySettings{empty, profile};
    ResetBrowserRestrictions(programs, {emptySettings, system});
    EXPECT_FALSE(KeyExists(empty, Hive::LocalMachine, kClients));
}

TEST_F(ClientsBackup, CopyKeepsWhatTheTargetAlreadyHeld) {
    const Hive m = Hive::LocalMachine;
    memory.WriteValue(m, "Software\\To\\News\\Reader\\Empty", TextValue("", "kept"));
    memory.WriteValue(m, "Software\\To", TextValue("Other", "kept"));
    EXPECT_TRUE(CopyKeyTree(memory, m, kClients, "Software\\To"));
    std::vector<std::string> expected = original;
    expected.insert(expected.begin() + 1, " [Other] S kept");
    expected.push_back("\\News\\Reader\\Empty [] S kept");
    EXPECT_EQ(TreeLines(memory, m, "Software\\To"), expected);
}

TEST_F(ClientsBackup, FailedCopyKeepsWhatCouldNotBeCopied) {
    {
        RefusingRegistry noBackup(memory, "Software\\Brenmark");
        Settings refusing{noBackup, profile};
        ApplyBrowserRestrictions(programs, {refusing, system});
        EXPECT_EQ(TreeLines(memory, Hive::LocalMachine, kClients), original);
    }
    ApplyBrowserRestrictions(programs, {settings, system});
    {
        RefusingRegistry noClients(memory, kClients);
        Settings refusing{noClients, profile};
        ResetBrowserRestrictions(programs, {refusing, system});
        EXPECT_EQ(TreeLines(memory, Hive::LocalMachine, kBackup), original);
    }
}

}  // namespace
}  // namespace vallora::security_test
