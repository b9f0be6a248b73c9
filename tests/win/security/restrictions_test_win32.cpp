// The restrictions against the real registry. Every change goes through an
// undo log, so the registry is as before when each test ends.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/profile_win32.h"
#include "platform/registry_win32.h"
#include "security/browser_restrictions.h"
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
const std::string kEdge = "SOFTWARE\\Policies\\Microsoft\\Edge";
const std::string kChrome = "SOFTWARE\\Policies\\Google\\Chrome";

bool IsCurrentBrowserPolicy(const std::string& key) {
    return key.rfind(kEdge, 0) == 0 || key.rfind(kChrome, 0) == 0;
}

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
             {Hive::LocalMachine, kEdge},
             {Hive::LocalMachine, "Software\\Policies\\Google"},
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
            // The current browsers' default is no policy: their values go.
            if (IsCurrentBrowserPolicy(change.keyPath)) {
                EXPECT_EQ(system.ReadValue(change.hive, change.keyPath, change.value.name, now),
                          kStatusNotFound);
                continue;
            }
            ASSERT_EQ(system.ReadValue(change.hive, change.keyPath, change.value.name, now), 0);
            EXPECT_EQ(DataText(now), change.value.type == kRegDword ? "D 0" : "S no");
        }
        EXPECT_EQ(TreeLines(system, Hive::LocalMachine, kClients), clients);
        EXPECT_NE(system.EnumSubKeyNames(Hive::LocalMachine, kBackup, names), 0);
    }
    EXPECT_EQ(Snapshot(system), before);
}

std::vector<std::string> Values(RegistryPort& registry, const std::string& key) {
    std::vector<std::string> lines;
    std::vector<RegistryValue> values;
    registry.EnumValues(Hive::LocalMachine, key, values);
    for (const RegistryValue& value : values) lines.push_back(value.name + " " + DataText(value));
    return lines;
}

TEST(RealRegistry, CurrentBrowserPoliciesComeBackAsTheyWere) {
    RegistryWin32 system;
    const std::vector<std::string> before = Snapshot(system);
    {
        UndoRegistry undo(system);
        ProfileWin32 profile;
        Settings settings(undo, profile);
        // State kept by an earlier session of this prefix would stand for
        // "before" in place of what this test writes; it comes back at the end.
        for (const char* backup : {"Edge", "Chrome"}) {
            settings.DeleteKeyTree("HKLM", "Software\\Brenmark\\Vallora\\Backup", backup);
        }
        const Hive m = Hive::LocalMachine;
        for (const char* name : {"1", "2", "3"}) {
            undo.WriteValue(m, kEdge + "\\URLBlocklist",
                            TextValue(name, std::string("https://") + name + ".example/*"));
        }
        undo.WriteValue(m, kEdge, TextValue("HomepageLocation", "http://old.example/"));
        undo.WriteValue(m, kChrome, {"DownloadRestrictions", kRegDword, {1, 0, 0, 0}});
        const std::vector<std::string> edge = TreeValueLines(system, m, kEdge);
        const std::vector<std::string> chrome = TreeValueLines(system, m, kChrome);

        NoExplorer port;
        const SecurityTarget target{settings, port};
        Definition definition;
        definition.NoIEAdministrativeTasks = definition.NoIEAdvancedTasks = 1;
        definition.IEDisableFileDownload = definition.NoRun = 1;
        definition.IEHomePage = "http://kiosk.example/";

        ApplyBrowserRestrictions(definition, target);
        EXPECT_EQ(Values(system, kEdge + "\\URLBlocklist"),
                  (std::vector<std::string>{"1 S https://1.example/*", "2 S https://2.example/*",
                                            "3 S https://3.example/*", "4 S file://*",
                                            "5 S edge://settings/*", "6 S view-source:*"}));
        EXPECT_EQ(Values(system, kChrome + "\\RestoreOnStartupURLs"),
                  (std::vector<std::string>{"1 S http://kiosk.example/"}));
        RegistryValue value;
        ASSERT_EQ(system.ReadValue(m, kChrome, "DownloadRestrictions", value), 0);
        EXPECT_EQ(DataText(value), "D 3");
        ASSERT_EQ(system.ReadValue(m, kEdge, "HomepageLocation", value), 0);
        EXPECT_EQ(DataText(value), "S http://kiosk.example/");

        // A restarted session applies again: nothing is added or recorded twice.
        const std::vector<std::string> applied = Snapshot(system);
        ApplyBrowserRestrictions(definition, target);
        EXPECT_EQ(Snapshot(system), applied);

        ResetBrowserRestrictions(definition, target);
        EXPECT_EQ(TreeValueLines(system, m, kEdge), edge);
        EXPECT_EQ(TreeValueLines(system, m, kChrome), chrome);
        std::vector<std::string> names;
        EXPECT_NE(system.EnumSubKeyNames(m, "Software\\Brenmark\\Vallora\\Backup\\Edge", names), 0);
        EXPECT_NE(system.EnumSubKeyNames(m, "Software\\Brenmark\\Vallora\\Backup\\Chrome", names),
                  0);
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
