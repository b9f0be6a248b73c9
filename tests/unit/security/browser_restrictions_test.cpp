#include "security/browser_restrictions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "security_bench.h"

namespace vallora::security_test {
namespace {

const std::string kRestrictions = "Software\\Policies\\Microsoft\\Internet Explorer\\Restrictions";
const std::string kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const std::string kMain = "Software\\Microsoft\\Internet Explorer\\Main";
const std::string kZone =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Zones\\3";
const char* const kButtons[] = {
    "Btn_Copy",     "Btn_Cut",       "Btn_Discussions", "Btn_Edit",
    "Btn_Encoding", "Btn_Favorites", "Btn_Folders",     "Btn_Fullscreen",
    "Btn_History",  "Btn_MailNews",  "Btn_Media",       "Btn_Paste",
    "Btn_Print",    "Btn_Search",    "Btn_Size",        "Btn_Tools"};

std::vector<std::string> AdministrativeLines(uint32_t value) {
    return {Dword("HKLM", kRestrictions, "NoBrowserOptions", value),
            Dword("HKLM", kRestrictions, "NoToolbarOptions", value),
            Dword("HKLM", kRestrictions, "DisableImportExportFavorites", value),
            Dword("HKLM", kExplorer, "NoSetHomePage", value)};
}

// Toolbar buttons are locked with 2, everything else with 1.
std::vector<std::string> AdvancedLines(bool locked) {
    std::vector<std::string> lines;
    for (const char* name :
         {"NoBrowserContextMenu", "NoFavorites", "NoFindFiles", "NoHelpMenu", "NoViewSource"}) {
        lines.push_back(Dword("HKLM", kRestrictions, name, locked ? 1 : 0));
    }
    for (const char* name : kButtons)
        lines.push_back(Dword("HKLM", kExplorer, name, locked ? 2 : 0));
    for (const char* name : {"NoBandCustomize", "NoFileMenu", "NoToolbarCustomize",
                             "NoWindowsUpdate", "SpecifyDefaultButtons"}) {
        lines.push_back(Dword("HKLM", kExplorer, name, locked ? 1 : 0));
    }
    lines.push_back(Text("HKCU", kMain, "Disable Script Debugger", locked ? "yes" : "no"));
    return lines;
}

std::vector<std::string> DownloadLines(uint32_t value) {
    return {Dword("HKCU", kZone, "1803", value), Dword("HKLM", kZone, "1803", value)};
}

std::vector<std::string> Joined(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

TEST(BrowserRestrictions, ApplyWritesTheTickedGroupsInOrder) {
    const std::vector<std::string> clients = {DeletedKey("HKLM", "Software\\Clients")};
    const struct {
        const char* what;
        std::function<void(Definition&)> tick;
        std::vector<std::string> expected;
    } cases[] = {
        {"nothing ticked", [](Definition&) {}, {}},
        {"undetermined checks count as off",
         [](Definition& d) {
             d.NoIEAdministrativeTasks = d.NoIEAdvancedTasks = d.IEPrograms = 2;
             d.IEDisableFileDownload = 2;
         },
         {}},
        {"NoIEAdministrativeTasks", [](Definition& d) { d.NoIEAdministrativeTasks = 1; },
         AdministrativeLines(1)},
        {"NoIEAdvancedTasks", [](Definition& d) { d.NoIEAdvancedTasks = 1; }, AdvancedLines(true)},
        {"IEPrograms without a Clients key", [](Definition& d) { d.IEPrograms = 1; }, clients},
        {"IEDisableFileDownload", [](Definition& d) { d.IEDisableFileDownload = 1; },
         DownloadLines(3)},
        {"everything",
         [](Definition& d) {
             d.NoIEAdministrativeTasks = d.NoIEAdvancedTasks = d.IEPrograms = 1;
             d.IEDisableFileDownload = 1;
         },
         Joined({AdministrativeLines(1), AdvancedLines(true), clients, DownloadLines(3)})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SecurityBench bench;
        Definition definition;
        c.tick(definition);
        ApplyBrowserRestrictions(definition, bench.target);
        EXPECT_EQ(WithoutCurrentBrowsers(bench.Lines()), c.expected);
    }
}

TEST(BrowserRestrictions, ResetWritesZeroAndTheStartPage) {
    for (const std::string homePage : {"http://kiosk.example/", ""}) {
        SCOPED_TRACE(homePage);
        SecurityBench bench;
        Definition definition;
        definition.IEHomePage = homePage;
        definition.NoIEAdvancedTasks = 1;  // reset does not depend on it
        ResetBrowserRestrictions(definition, bench.target);
        EXPECT_EQ(bench.Lines(), Joined({AdministrativeLines(0),
                                         {Text("HKCU", kMain, "Start Page", homePage)},
                                         AdvancedLines(false),
                                         DownloadLines(0)}));
    }
}

TEST(BrowserRestrictions, StartPageIsWrittenEvenWhenEmpty) {
    SecurityBench bench;
    Definition definition;
    definition.IEHomePage = "";
    SetBrowserStartPage(definition, bench.settings);
    SettingValue page = std::string("unchanged");
    EXPECT_EQ(bench.settings.ReadSetting("HKCU", kMain, "Start Page", "S", page), 0);
    EXPECT_EQ(page, SettingValue(std::string()));
}

}  // namespace
}  // namespace vallora::security_test
