#include "security/windows_restrictions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "security_bench.h"

namespace vallora::security_test {
namespace {

const std::string kSystem = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
const std::string kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const std::string kNonEnum = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\NonEnum";
const std::string kComdlg = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\policies\\Comdlg32";
const std::string kMyComputer = "{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
const std::string kRecycleBin = "{645FF040-5081-101B-9F08-00AA002F954E}";
const std::string kMyDocuments = "{450D8FBA-AD25-11D0-98A8-0800361B1103}";

// The machine-wide values of "NoAdministrativeTasks", as apply and reset write them.
std::vector<std::string> AdministrativeLines(uint32_t value) {
    return {
        Dword("HKLM", kExplorer, "NoDeletePrinter", value),
        Dword("HKLM", kExplorer, "NoAddPrinter", value),
        Dword("HKLM", kExplorer, "NoPrinterTabs", value),
        Dword("HKLM", kExplorer, "NoControlPanel", value),
        Dword("HKLM", kExplorer, "NoFolderOptions", value),
        Dword("HKLM", kExplorer, "NoFavoritesMenu", value),
        Dword("HKLM", kExplorer, "NoSetFolders", value),
        Dword("HKLM", kNonEnum, kMyComputer, value),
        Dword("HKLM", kExplorer, "NoFind", value),
        Dword("HKLM", kNonEnum, kRecycleBin, value),
        Dword("HKLM", kNonEnum, kMyDocuments, value),
    };
}

std::vector<std::string> Joined(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

struct ApplyCase {
    const char* what;
    std::function<void(Definition&)> tick;
    std::vector<std::string> expected;
};

TEST(WindowsRestrictions, ApplyWritesTheTickedGroupsInOrder) {
    const std::vector<std::string> administrative =
        Joined({{Dword("HKCU", kSystem, "DisableTaskMgr", 1), Note("port: screen saver 1")},
                AdministrativeLines(1)});
    const ApplyCase cases[] = {
        {"nothing ticked", [](Definition&) {}, {}},
        {"undetermined checks count as off",
         [](Definition& d) {
             d.NoChangePwd = d.NoLockComputer = d.NoAdministrativeTasks = 2;
             d.NoLogoff = d.NoShutDown = 2;
         },
         {}},
        {"NoChangePwd",
         [](Definition& d) { d.NoChangePwd = 1; },
         {Dword("HKCU", kSystem, "DisableChangePassword", 1)}},
        {"NoLockComputer",
         [](Definition& d) { d.NoLockComputer = 1; },
         {Dword("HKCU", kSystem, "DisableLockWorkstation", 1)}},
        {"NoAdministrativeTasks", [](Definition& d) { d.NoAdministrativeTasks = 1; },
         administrative},
        {"NoLogoff",
         [](Definition& d) { d.NoLogoff = 1; },
         {Dword("HKCU", kExplorer, "NoLogoff", 1)}},
        {"NoShutDown",
         [](Definition& d) { d.NoShutDown = 1; },
         {Dword("HKCU", kExplorer, "NoClose", 1)}},
        {"everything",
         [](Definition& d) {
             d.NoChangePwd = d.NoLockComputer = d.NoAdministrativeTasks = 1;
             d.NoLogoff = d.NoShutDown = 1;
         },
         Joined(
             {{Dword("HKCU", kSystem, "DisableChangePassword", 1),
               Dword("HKCU", kSystem, "DisableLockWorkstation", 1)},
              administrative,
              {Dword("HKCU", kExplorer, "NoLogoff", 1), Dword("HKCU", kExplorer, "NoClose", 1)}})},
    };
    for (const ApplyCase& c : cases) {
        SCOPED_TRACE(c.what);
        SecurityBench bench;
        Definition definition;
        c.tick(definition);
        ApplyWindowsRestrictions(definition, bench.target);
        EXPECT_EQ(bench.Lines(), c.expected);
    }
}

TEST(WindowsRestrictions, ResetWritesZeroToEveryValue) {
    SecurityBench bench;
    ResetWindowsRestrictions(bench.target);
    EXPECT_EQ(
        bench.Lines(),
        Joined({{Dword("HKCU", kSystem, "DisableChangePassword", 0),
                 Dword("HKCU", kSystem, "DisableLockWorkstation", 0),
                 Dword("HKCU", kExplorer, "NoLogoff", 0), Dword("HKCU", kExplorer, "NoClose", 0),
                 Dword("HKCU", kSystem, "DisableTaskMgr", 0), Note("port: screen saver 0")},
                AdministrativeLines(0)}));
}

TEST(DriveMask, OnlySingleLettersCount) {
    const struct {
        const char* text;
        int32_t mask;
    } cases[] = {
        {"", 0},      {";;", 0},     {"A", 1},        {"b", 2},    {"c;D;x", 8388620},
        {"C:;E", 16}, {"C;C", 4},    {"Z", 33554432}, {" C", 0},   {"CD", 0},
        {"C;", 4},    {";a;;b;", 3}, {"1;@;[", 0},    {"\xE9", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(DriveMask(c.text), c.mask);
    }
}

const std::vector<std::string> kRunLines = {
    Dword("HKLM", kExplorer, "NoRun", 1),
    Dword("HKLM", kComdlg, "NoFileMru", 1),
    Dword("HKLM", kComdlg, "NoBackButton", 1),
    Dword("HKLM", kComdlg, "NoPlacesBar", 1),
    Dword("HKLM", kExplorer, "NoViewContextmenu", 1),
    Dword("HKLM", kExplorer, "NoFileMenu", 1),
    Dword("HKLM", kExplorer, "NoFind", 1),
    Dword("HKLM", kNonEnum, kRecycleBin, 1),
    Dword("HKLM", kNonEnum, kMyDocuments, 1),
};
const std::vector<std::string> kNetworkLines = {
    Dword("HKLM", kExplorer, "NoNetHood", 1),
    Dword("HKLM", kExplorer, "NoNetConnectDisconnect", 1),
    Dword("HKLM", kExplorer, "NoEntireNetwork", 1),
    Dword("HKLM", kExplorer, "NoWorkgroupContents", 1),
};

std::vector<std::string> DriveLines(uint32_t mask) {
    return {Dword("HKLM", kExplorer, "NoDrives", mask),
            Dword("HKLM", kExplorer, "NoDriveAutoRun", mask)};
}

TEST(DriveRestrictions, ApplyWritesMaskThenRunThenNetwork) {
    const struct {
        const char* hideDrives;
        int noRun;
        int noNetWork;
        std::vector<std::string> expected;
    } cases[] = {
        {"", 0, 0, {}},
        {";;", 0, 0, DriveLines(0)},
        {"c;D;x", 0, 0, DriveLines(8388620)},
        {"Z", 0, 0, DriveLines(33554432)},
        {"", 1, 0, kRunLines},
        {"", 0, 1, kNetworkLines},
        {"", 2, 2, {}},
        {"A;B", 1, 1, Joined({DriveLines(3), kRunLines, kNetworkLines})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << '"' << c.hideDrives << "\" NoRun " << c.noRun
                                          << " NoNetWork " << c.noNetWork);
        SecurityBench bench;
        Definition definition;
        definition.NoRun = c.noRun;
        definition.NoNetWork = c.noNetWork;
        ApplyDriveRestrictions(definition, c.hideDrives, bench.target);
        EXPECT_EQ(bench.Lines(), c.expected);
    }
}

TEST(DriveRestrictions, EmptyTextKeepsTheDriveValuesThatWereThere) {
    SecurityBench bench;
    ApplyDriveRestrictions(Definition{}, "C", bench.target);
    ApplyDriveRestrictions(Definition{}, "", bench.target);
    SettingValue noDrives = int32_t{-1};
    bench.settings.ReadSetting("HKLM", kExplorer, "NoDrives", "D", noDrives);
    EXPECT_EQ(noDrives, SettingValue(int32_t{4}));
}

TEST(DriveRestrictions, ResetWritesZeroToEveryValue) {
    SecurityBench bench;
    ResetDriveRestrictions(bench.target);
    EXPECT_EQ(bench.Lines(), (std::vector<std::string>{
                                 Dword("HKLM", kExplorer, "NoDrives", 0),
                                 Dword("HKLM", kExplorer, "NoDriveAutoRun", 0),
                                 Dword("HKLM", kExplorer, "NoFileMenu", 0),
                                 Dword("HKLM", kComdlg, "NoFileMru", 0),
                                 Dword("HKLM", kComdlg, "NoBackButton", 0),
                                 Dword("HKLM", kComdlg, "NoPlacesBar", 0),
                                 Dword("HKLM", kExplorer, "NoViewContextmenu", 0),
                                 Dword("HKLM", kExplorer, "NoNetHood", 0),
                                 Dword("HKLM", kExplorer, "NoNetConnectDisconnect", 0),
                                 Dword("HKLM", kExplorer, "NoEntireNetwork", 0),
                                 Dword("HKLM", kExplorer, "NoWorkgroupContents", 0),
                                 Dword("HKLM", kExplorer, "NoRun", 0),
                                 Dword("HKLM", kExplorer, "NoFind", 0),
                                 Dword("HKLM", kNonEnum, kRecycleBin, 0),
                                 Dword("HKLM", kNonEnum, kMyDocuments, 0),
                             }));
}

}  // namespace
}  // namespace vallora::security_test
