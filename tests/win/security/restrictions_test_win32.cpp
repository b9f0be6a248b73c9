// The restrictions against the real registry. Every change goes through an
// undo log, so the registry is as before when each test ends.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/profile_win32.h"
#include "platform/registry_win32.h"
#include "security/computer_security.h"
#include "security/security_system_win32.h"
#include "storage/recording_registry.h"
#include "storage/settings.h"
#include "undo_registry.h"
#include "unit/security/change_lines.h"

namespace vallora::security_test {
namespace {

const std::string kClients = "Software\\Clients";
const std::string kBackup = "Software\\Brenmark\\Vallora\\Backup\\Clients";

// The system port without Explorer: ending or starting the prefix's own
// Explorer would take the test session's desktop away.
class NoExplorer : public SecuritySystemPort {
  public:
    void SetScreenSaverRunning(bool running) override { system_.SetScreenSaverRunning(running); }
    void EndExplorerDesktop() override { ++ended; }
    bool IsExplorerRunning() override { return true; }
    void StartExplorer() override {}
    int ended = 0;

  private:
    SecuritySystemWin32 system_;
};

RegistryValue TextValue(std::string name, const std::string& text, uint32_t type = kRegSz) {
    std::vector<uint8_t> data(text.begin(), text.end());
    data.push_back(0);
    return {std::move(name), type, std::move(data)};
}

// What the tests may touch, for the check that the undo log took it all back.
std::vector<std::string> Snapshot(RegistryPort& registry) {
    std::vector<std::string> lines;
    for (const auto& [hive, key] : std::vector<std::pair<Hive, std::string>>{
             {Hive::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies"},
             {Hive::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies"},
             {Hive::LocalMachine, "Software\\Policies\\Microsoft\\Internet Explorer"},
             {Hive::CurrentUser, "Software\\Microsoft\\Internet Explorer\\Main"},
             {Hive::CurrentUser,
              "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Zones\\3"},
             {Hive::LocalMachine,
              "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Zones\\3"},
             {Hive::LocalMachine, kClients},
             {Hive::LocalMachine, "Software\\Brenmark"},
             {Hive::LocalMachine, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon"},
         }) {
        lines.push_back(HiveShort(hive) + "\\" + key);
        DumpTree(registry, hive, key, "", lines);
    }
    return lines;
}

TEST(RealRegistry, ApplyThenResetClearsEveryValueAndBringsClientsBack) {
    RegistryWin32 system;
    const std::vector<std::string> before = Snapshot(system);
    {
        UndoRegistry undo(system);
        undo.WriteValue(Hive::LocalMachine, kClients + "\\Mail\\Vallora Test Mail",
                        TextValue("DLLPath", "%ProgramFiles%\\t.dll", kRegExpandSz));
        undo.WriteValue(Hive::LocalMachine, kClients + "\\Mail\\Vallora Test Mail\\Protocols",
                        {"Flags", kRegBinary, {2, 0, 0, 0}});
        const std::vector<std::string> clients = TreeLines(system, Hive::LocalMachine, kClients);

        RecordingRegistry recording(undo);
        ProfileWin32 profile;
        Settings settings(recording, profile);
        NoExplorer port;
        const SecurityTarget target{settings, port};
        Definition definition;
        definition.NoChangePwd = definition.NoLockComputer = definition.NoLogoff = 1;
        definition.NoShutDown = definition.NoAdministrativeTasks = definition.NoRun = 1;
        definition.NoNetWork = definition.ReplaceDesktop = definition.NoIEAdministrativeTasks = 1;
        definition.NoIEAdvancedTasks = definition.IEPrograms = definition.IEDisableFileDownload = 1;
        definition.HideDrives = "C;d";

        ApplyComputerSecurity(definition, target);
        EXPECT_EQ(port.ended, 1);
        RegistryValue noDrives;
        ASSERT_EQ(
            system.ReadValue(Hive::LocalMachine,
                             "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
                             "NoDrives", noDrives),
            0);
        EXPECT_EQ(DataText(noDrives), "D 12");
        std::vector<std::string> names;
        EXPECT_NE(system.EnumSubKeyNames(Hive::LocalMachine, kClients, names), 0);
        EXPECT_EQ(TreeLines(system, Hive::LocalMachine, kBackup), clients);

        const std::vector<RecordedChange> applied = recording.Changes();
        ResetComputerSecurity(definition, target);
        for (const RecordedChange& change : applied) {
            if (change.kind != RecordedChange::Kind::WriteValue ||
                change.keyPath.rfind("Software\\Brenmark", 0) == 0) {
                continue;
            }
            SCOPED_TRACE(change.keyPath + " " + change.value.name);
            RegistryValue now;
            ASSERT_EQ(system.ReadValue(change.hive, change.keyPath, change.value.name, now), 0);
            EXPECT_EQ(DataText(now), change.value.type == kRegDword ? "D 0" : "S no");
        }
        EXPECT_EQ(TreeLines(system, Hive::LocalMachine, kClients), clients);
        EXPECT_NE(system.EnumSubKeyNames(Hive::LocalMachine, kBackup, names), 0);
    }
    EXPECT_EQ(Snapshot(system), before);
}

TEST(RealSystem, ScreenSaverFlagFollowsTheCall) {
    SecuritySystemWin32 system;
    BOOL running = FALSE;
    system.SetScreenSaverRunning(true);
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0));
    EXPECT_TRUE(running);
    system.SetScreenSaverRunning(false);
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0));
    EXPECT_FALSE(running);
}

}  // namespace
}  // namespace vallora::security_test
