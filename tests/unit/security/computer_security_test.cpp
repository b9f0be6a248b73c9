#include "security/computer_security.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "security/desktop_replacement.h"
#include "security_bench.h"

namespace vallora::security_test {
namespace {

const std::string kWinlogon = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
const std::string kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

TEST(ComputerSecurity, ApplyRunsDesktopDrivesWindowsThenBrowser) {
    SecurityBench bench;
    Definition definition;
    definition.ReplaceDesktop = 1;
    definition.HideDrives = "A";
    definition.NoChangePwd = 1;
    definition.IEDisableFileDownload = 1;
    ApplyComputerSecurity(definition, bench.target);
    const std::string zone =
        "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Zones\\3";
    EXPECT_EQ(WithoutCurrentBrowsers(bench.Lines()),
              (std::vector<std::string>{
                  Dword("HKLM", kWinlogon, "AutoRestartShell", 0), Note("port: end explorer"),
                  Dword("HKLM", kExplorer, "NoDesktop", 1), Dword("HKLM", kExplorer, "NoDrives", 1),
                  Dword("HKLM", kExplorer, "NoDriveAutoRun", 1),
                  Dword("HKCU", "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System",
                        "DisableChangePassword", 1),
                  Dword("HKCU", zone, "1803", 3), Dword("HKLM", zone, "1803", 3)}));
}

TEST(ComputerSecurity, ResetRunsDrivesWindowsDesktopThenBrowser) {
    SecurityBench bench;
    ResetComputerSecurity(Definition{}, bench.target);
    const std::vector<std::string> lines = bench.Lines();
    const auto at = [&](const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) - lines.begin();
    };
    const auto drives = at(Dword("HKLM", kExplorer, "NoDrives", 0));
    const auto windows = at(Note("port: screen saver 0"));
    const auto desktop = at(Dword("HKLM", kWinlogon, "AutoRestartShell", 1));
    const auto browser =
        at(Dword("HKLM", "Software\\Policies\\Microsoft\\Internet Explorer\\Restrictions",
                 "NoBrowserOptions", 0));
    EXPECT_EQ(drives, 0);
    EXPECT_LT(drives, windows);
    EXPECT_LT(windows, desktop);
    EXPECT_LT(desktop, browser);
    EXPECT_LT(browser, static_cast<long>(lines.size()));
}

TEST(DesktopReplacement, ReplaceAndRestoreFollowTheDefinitionAndExplorer) {
    const std::string autoRestart0 = Dword("HKLM", kWinlogon, "AutoRestartShell", 0);
    const std::string autoRestart1 = Dword("HKLM", kWinlogon, "AutoRestartShell", 1);
    const std::string noDesktop0 = Dword("HKLM", kExplorer, "NoDesktop", 0);
    const std::string noDesktop1 = Dword("HKLM", kExplorer, "NoDesktop", 1);
    const std::string end = Note("port: end explorer");
    const std::string start = Note("port: start explorer");
    const struct {
        bool restore;
        int replaceDesktop;
        bool explorerRunning;
        std::vector<std::string> expected;
    } cases[] = {
        {false, 0, true, {}},
        {false, 2, true, {}},
        {false, 1, true, {autoRestart0, end, noDesktop1}},
        {false, 1, false, {autoRestart0, end, noDesktop1}},
        {true, 0, true, {autoRestart1, noDesktop0}},
        {true, 0, false, {autoRestart1, noDesktop0, start}},
        {true, 1, false, {autoRestart1, autoRestart0, end, noDesktop1, noDesktop0, start}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "restore " << c.restore << " ReplaceDesktop "
                                          << c.replaceDesktop << " running " << c.explorerRunning);
        SecurityBench bench;
        bench.system.explorerRunning = c.explorerRunning;
        Definition definition;
        definition.ReplaceDesktop = c.replaceDesktop;
        if (c.restore) {
            RestoreDesktop(definition, bench.target);
        } else {
            ReplaceDesktop(definition, bench.target);
        }
        EXPECT_EQ(bench.Lines(), c.expected);
    }
}

TEST(ComputerSecurity, ResetClearsEveryValueThatApplySet) {
    SecurityBench bench;
    Definition definition;
    definition.NoChangePwd = definition.NoLockComputer = definition.NoLogoff = 1;
    definition.NoShutDown = definition.NoAdministrativeTasks = definition.NoRun = 1;
    definition.NoNetWork = definition.ReplaceDesktop = definition.NoIEAdministrativeTasks = 1;
    definition.NoIEAdvancedTasks = definition.IEPrograms = definition.IEDisableFileDownload = 1;
    definition.HideDrives = "C;D";
    ApplyComputerSecurity(definition, bench.target);
    const std::vector<RecordedChange> applied = bench.recording.Changes();
    ResetComputerSecurity(definition, bench.target);

    int checked = 0;
    for (const RecordedChange& change : applied) {
        if (change.kind != RecordedChange::Kind::WriteValue) continue;
        SCOPED_TRACE(change.keyPath + " " + change.value.name);
        RegistryValue now;
        // The current browsers have no policy by default: their values go,
        // and so does the state kept for them.
        if (WithoutCurrentBrowsers(ChangeLines({change})).empty()) {
            EXPECT_EQ(bench.memory.ReadValue(change.hive, change.keyPath, change.value.name, now),
                      kStatusNotFound);
            ++checked;
            continue;
        }
        ASSERT_EQ(bench.memory.ReadValue(change.hive, change.keyPath, change.value.name, now), 0);
        if (change.value.type == kRegDword) {
            EXPECT_EQ(DataText(now), "D 0");
        } else {
            EXPECT_EQ(DataText(now), "S no");
        }
        ++checked;
    }
    EXPECT_GT(checked, 0);
}

}  // namespace
}  // namespace vallora::security_test
