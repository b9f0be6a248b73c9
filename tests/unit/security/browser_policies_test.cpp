#include "security/browser_policies.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "refusing_registry.h"
#include "security/browser_restrictions.h"
#include "security_bench.h"

namespace vallora::security_test {
namespace {

const std::string kBackup = "Software\\Brenmark\\Vallora\\Backup";
const std::string kHome = "http://kiosk.example/";

struct Browser {
    std::string name;
    std::string key;
    std::string favoritesBar;
    std::string editFavorites;
    std::string settingsPages;

    std::string List() const { return key + "\\URLBlocklist"; }
    std::string Backup() const { return kBackup + "\\" + name; }
};
const Browser kEdge{"Edge", "SOFTWARE\\Policies\\Microsoft\\Edge", "FavoritesBarEnabled",
                    "EditFavoritesEnabled", "edge://settings/*"};
const Browser kChrome{"Chrome", "SOFTWARE\\Policies\\Google\\Chrome", "BookmarkBarEnabled",
                      "EditBookmarksEnabled", "chrome://settings/*"};

RegistryValue TextValue(std::string name, const std::string& text) {
    std::vector<uint8_t> data(text.begin(), text.end());
    data.push_back(0);
    return {std::move(name), kRegSz, std::move(data)};
}
RegistryValue DwordValue(std::string name, uint8_t number) {
    return {std::move(name), kRegDword, {number, 0, 0, 0}};
}

bool StartsWith(const std::string& line, const std::string& prefix) {
    return line.compare(0, prefix.size(), prefix) == 0;
}

// The lines that write or delete values below a browser's policy key.
std::vector<std::string> BrowserValueLines(const std::vector<std::string>& lines,
                                           const Browser& browser) {
    std::vector<std::string> kept;
    for (const std::string& line : lines) {
        const bool value = line.find(" [") != std::string::npos;
        if (value && (StartsWith(line, "HKLM\\" + browser.key) ||
                      StartsWith(line, "delete HKLM\\" + browser.key))) {
            kept.push_back(line);
        }
    }
    return kept;
}

// "HKLM\key [name] D 3" as the deletion of that value.
std::vector<std::string> Deletions(const std::vector<std::string>& writes) {
    std::vector<std::string> deletions;
    for (const std::string& line : writes) {
        deletions.push_back("delete " + line.substr(0, line.find("] ") + 1));
    }
    return deletions;
}

// What a PC holds before: other policies and Vallora's own key.
void AddBaseline(RegistryPort& registry) {
    registry.WriteValue(Hive::LocalMachine, "SOFTWARE\\Policies\\Microsoft\\Windows",
                        DwordValue("Other", 1));
    registry.WriteValue(Hive::LocalMachine, "SOFTWARE\\Policies\\Google\\Update",
                        DwordValue("UpdateDefault", 1));
    registry.WriteValue(Hive::LocalMachine, "Software\\Brenmark\\Vallora",
                        TextValue("CurrentFile", "C:\\Desks\\Kiosk.vla"));
}

std::vector<std::string> Tree(RegistryPort& registry) {
    return TreeValueLines(registry, Hive::LocalMachine, "SOFTWARE");
}

TEST(BrowserPolicies, ApplyWritesTheTableAndResetDeletesExactlyThat) {
    const struct {
        const char* what;
        std::function<void(Definition&)> set;
        std::function<std::vector<std::string>(const Browser&)> writes;
    } cases[] = {
        {"nothing set", [](Definition&) {},
         [](const Browser&) { return std::vector<std::string>{}; }},
        {"undetermined checks count as off",
         [](Definition& d) {
             d.NoIEAdministrativeTasks = d.NoIEAdvancedTasks = d.IEDisableFileDownload = 2;
             d.NoRun = 2;
         },
         [](const Browser&) { return std::vector<std::string>{}; }},
        {"IEDisableFileDownload", [](Definition& d) { d.IEDisableFileDownload = 1; },
         [](const Browser& b) {
             return std::vector<std::string>{Dword("HKLM", b.key, "DownloadRestrictions", 3)};
         }},
        {"NoIEAdvancedTasks", [](Definition& d) { d.NoIEAdvancedTasks = 1; },
         [](const Browser& b) {
             return std::vector<std::string>{Dword("HKLM", b.key, "DeveloperToolsAvailability", 2),
                                             Dword("HKLM", b.key, b.favoritesBar, 0),
                                             Text("HKLM", b.List(), "1", "view-source:*")};
         }},
        {"NoIEAdministrativeTasks", [](Definition& d) { d.NoIEAdministrativeTasks = 1; },
         [](const Browser& b) {
             return std::vector<std::string>{Dword("HKLM", b.key, b.editFavorites, 0),
                                             Text("HKLM", b.List(), "1", b.settingsPages)};
         }},
        {"NoRun without browser settings", [](Definition& d) { d.NoRun = 1; },
         [](const Browser& b) {
             return std::vector<std::string>{Dword("HKLM", b.key, "AllowFileSelectionDialogs", 0),
                                             Text("HKLM", b.List(), "1", "file://*")};
         }},
        {"home page", [](Definition& d) { d.IEHomePage = kHome; },
         [](const Browser& b) {
             return std::vector<std::string>{
                 Text("HKLM", b.key, "HomepageLocation", kHome),
                 Dword("HKLM", b.key, "HomepageIsNewTabPage", 0),
                 Dword("HKLM", b.key, "RestoreOnStartup", 4),
                 Text("HKLM", b.key + "\\RestoreOnStartupURLs", "1", kHome)};
         }},
        {"everything with an empty home page",
         [](Definition& d) {
             d.NoIEAdministrativeTasks = d.NoIEAdvancedTasks = d.IEDisableFileDownload = 1;
             d.NoRun = d.IEPrograms = 1;
         },
         [](const Browser& b) {
             return std::vector<std::string>{Dword("HKLM", b.key, "DownloadRestrictions", 3),
                                             Dword("HKLM", b.key, "DeveloperToolsAvailability", 2),
                                             Dword("HKLM", b.key, b.favoritesBar, 0),
                                             Dword("HKLM", b.key, b.editFavorites, 0),
                                             Dword("HKLM", b.key, "AllowFileSelectionDialogs", 0),
                                             Text("HKLM", b.List(), "1", "file://*"),
                                             Text("HKLM", b.List(), "2", b.settingsPages),
                                             Text("HKLM", b.List(), "3", "view-source:*")};
         }},
        {"everything",
         [](Definition& d) {
             d.NoIEAdministrativeTasks = d.NoIEAdvancedTasks = d.IEDisableFileDownload = 1;
             d.NoRun = 1;
             d.IEHomePage = kHome;
         },
         [](const Browser& b) {
             return std::vector<std::string>{
                 Dword("HKLM", b.key, "DownloadRestrictions", 3),
                 Dword("HKLM", b.key, "DeveloperToolsAvailability", 2),
                 Dword("HKLM", b.key, b.favoritesBar, 0),
                 Dword("HKLM", b.key, b.editFavorites, 0),
                 Dword("HKLM", b.key, "AllowFileSelectionDialogs", 0),
                 Text("HKLM", b.key, "HomepageLocation", kHome),
                 Dword("HKLM", b.key, "HomepageIsNewTabPage", 0),
                 Dword("HKLM", b.key, "RestoreOnStartup", 4),
                 Text("HKLM", b.key + "\\RestoreOnStartupURLs", "1", kHome),
                 Text("HKLM", b.List(), "1", "file://*"),
                 Text("HKLM", b.List(), "2", b.settingsPages),
                 Text("HKLM", b.List(), "3", "view-source:*")};
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SecurityBench bench;
        AddBaseline(bench.memory);
        const std::vector<std::string> before = Tree(bench.memory);
        Definition definition;
        definition.IEHomePage = "";  // a new definition has "about:blank"
        c.set(definition);

        ApplyBrowserPolicies(definition, bench.target);
        const std::vector<std::string> applied = bench.Lines();
        EXPECT_EQ(BrowserValueLines(applied, kEdge), c.writes(kEdge));
        EXPECT_EQ(BrowserValueLines(applied, kChrome), c.writes(kChrome));

        ResetBrowserPolicies(bench.target);
        const std::vector<std::string> all = bench.Lines();
        const std::vector<std::string> reset(all.begin() + applied.size(), all.end());
        EXPECT_EQ(BrowserValueLines(reset, kEdge), Deletions(c.writes(kEdge)));
        EXPECT_EQ(BrowserValueLines(reset, kChrome), Deletions(c.writes(kChrome)));
        EXPECT_EQ(Tree(bench.memory), before);
        EXPECT_FALSE(bench.memory.KeyExists(Hive::LocalMachine, kBackup));
    }
}

TEST(BrowserPolicies, KeepsTheStateFirstThenWritesAndResetTakesItBack) {
    SecurityBench bench;
    AddBaseline(bench.memory);
    Definition definition;
    definition.IEDisableFileDownload = definition.NoRun = 1;
    definition.IEHomePage = "";
    ApplyBrowserPolicies(definition, bench.target);
    const std::string edge = kEdge.key;
    const std::string chrome = kChrome.key;
    const std::string edgeBackup = kEdge.Backup();
    const std::string chromeBackup = kChrome.Backup();
    EXPECT_EQ(bench.Lines(),
              (std::vector<std::string>{
                  Text("HKLM", edgeBackup + "\\Added", "DownloadRestrictions", ""),
                  Text("HKLM", edgeBackup + "\\Added", "AllowFileSelectionDialogs", ""),
                  Text("HKLM", edgeBackup + "\\Added\\URLBlocklist", "1", ""),
                  Dword("HKLM", edge, "DownloadRestrictions", 3),
                  Dword("HKLM", edge, "AllowFileSelectionDialogs", 0),
                  Text("HKLM", kEdge.List(), "1", "file://*"),
                  Text("HKLM", chromeBackup + "\\Added", "DownloadRestrictions", ""),
                  Text("HKLM", chromeBackup + "\\Added", "AllowFileSelectionDialogs", ""),
                  Text("HKLM", chromeBackup + "\\Added\\URLBlocklist", "1", ""),
                  Dword("HKLM", chrome, "DownloadRestrictions", 3),
                  Dword("HKLM", chrome, "AllowFileSelectionDialogs", 0),
                  Text("HKLM", kChrome.List(), "1", "file://*"),
              }));

    const size_t applied = bench.Lines().size();
    ResetBrowserPolicies(bench.target);
    const std::vector<std::string> all = bench.Lines();
    const std::vector<std::string> reset(all.begin() + applied, all.end());
    EXPECT_EQ(reset, (std::vector<std::string>{
                         "delete HKLM\\" + edge + " [DownloadRestrictions]",
                         "delete HKLM\\" + edge + " [AllowFileSelectionDialogs]",
                         "delete HKLM\\" + kEdge.List() + " [1]",
                         DeletedKey("HKLM", edgeBackup + "\\Added\\URLBlocklist"),
                         DeletedKey("HKLM", edgeBackup + "\\Added"),
                         DeletedKey("HKLM", edgeBackup),
                         "delete HKLM\\" + chrome + " [DownloadRestrictions]",
                         "delete HKLM\\" + chrome + " [AllowFileSelectionDialogs]",
                         "delete HKLM\\" + kChrome.List() + " [1]",
                         DeletedKey("HKLM", chromeBackup + "\\Added\\URLBlocklist"),
                         DeletedKey("HKLM", chromeBackup + "\\Added"),
                         DeletedKey("HKLM", chromeBackup),
                         DeletedKey("HKLM", kBackup),
                     }));
}

class BrowserPoliciesOnAUsedPc : public ::testing::Test {
  protected:
    BrowserPoliciesOnAUsedPc() {
        AddBaseline(bench.memory);
        const Hive m = Hive::LocalMachine;
        for (const char* name : {"1", "2", "3"}) {
            bench.memory.WriteValue(m, kEdge.List(),
                                    TextValue(name, std::string("https://") + name + ".example/*"));
        }
        bench.memory.WriteValue(m, kEdge.key, TextValue("HomepageLocation", "http://old.example/"));
        bench.memory.WriteValue(m, kEdge.key + "\\RestoreOnStartupURLs",
                                TextValue("1", "http://old.example/"));
        bench.memory.WriteValue(m, kChrome.key, DwordValue("DownloadRestrictions", 1));
        bench.memory.WriteValue(m, kChrome.List(), TextValue("1", "FILE://*"));
        before = Tree(bench.memory);
        everything.NoIEAdministrativeTasks = everything.NoIEAdvancedTasks = 1;
        everything.IEDisableFileDownload = everything.NoRun = 1;
        everything.IEHomePage = kHome;
    }
    std::vector<std::string> Values(const std::string& key) {
        std::vector<std::string> lines;
        std::vector<RegistryValue> values;
        bench.memory.EnumValues(Hive::LocalMachine, key, values);
        for (const RegistryValue& value : values) {
            lines.push_back(value.name + " " + DataText(value));
        }
        return lines;
    }

    SecurityBench bench;
    std::vector<std::string> before;
    Definition everything;
};

TEST_F(BrowserPoliciesOnAUsedPc, ListEntriesGoAfterThoseThereAndEverythingComesBack) {
    ApplyBrowserPolicies(everything, bench.target);
    EXPECT_EQ(Values(kEdge.List()),
              (std::vector<std::string>{"1 S https://1.example/*", "2 S https://2.example/*",
                                        "3 S https://3.example/*", "4 S file://*",
                                        "5 S edge://settings/*", "6 S view-source:*"}));
    // A pattern the list holds already is not added again.
    EXPECT_EQ(
        Values(kChrome.List()),
        (std::vector<std::string>{"1 S FILE://*", "2 S chrome://settings/*", "3 S view-source:*"}));

    // A second apply, as after a restart of the session, adds nothing and
    // keeps the state from before the first.
    const std::vector<std::string> afterFirst = Tree(bench.memory);
    ApplyBrowserPolicies(everything, bench.target);
    EXPECT_EQ(Tree(bench.memory), afterFirst);

    ResetBrowserPolicies(bench.target);
    EXPECT_EQ(Tree(bench.memory), before);

    // With nothing kept, a further reset writes nothing.
    const size_t done = bench.Lines().size();
    ResetBrowserPolicies(bench.target);
    EXPECT_EQ(bench.Lines().size(), done);
}

TEST_F(BrowserPoliciesOnAUsedPc, ResetWritesBackOnlyWhatApplyReplaced) {
    Definition download;
    download.IEDisableFileDownload = 1;
    download.IEHomePage = "";
    ApplyBrowserPolicies(download, bench.target);
    const size_t applied = bench.Lines().size();
    ResetBrowserPolicies(bench.target);
    const std::vector<std::string> all = bench.Lines();
    const std::vector<std::string> reset(all.begin() + applied, all.end());
    EXPECT_EQ(BrowserValueLines(reset, kEdge),
              (std::vector<std::string>{"delete HKLM\\" + kEdge.key + " [DownloadRestrictions]"}));
    EXPECT_EQ(BrowserValueLines(reset, kChrome),
              (std::vector<std::string>{Dword("HKLM", kChrome.key, "DownloadRestrictions", 1)}));
    EXPECT_EQ(Tree(bench.memory), before);
}

TEST_F(BrowserPoliciesOnAUsedPc, NothingIsWrittenWhoseStateCannotBeKept) {
    {
        RefusingRegistry noBackup(bench.memory, kBackup);
        Settings refusing{noBackup, bench.profile};
        ApplyBrowserPolicies(everything, {refusing, bench.system});
        EXPECT_EQ(Tree(bench.memory), before);
    }
    ApplyBrowserPolicies(everything, bench.target);
    const std::vector<std::string> chromeKept =
        TreeLines(bench.memory, Hive::LocalMachine, kChrome.Backup());
    {
        // A reset that cannot change Chrome's key keeps Chrome's backup for
        // the next reset and still resets Edge.
        RefusingRegistry noChrome(bench.memory, kChrome.key);
        Settings refusing{noChrome, bench.profile};
        ResetBrowserPolicies({refusing, bench.system});
        EXPECT_EQ(TreeLines(bench.memory, Hive::LocalMachine, kChrome.Backup()), chromeKept);
        EXPECT_EQ(Values(kChrome.List()).size(), 3u);
        EXPECT_EQ(Values(kEdge.List()).size(), 3u);
        EXPECT_FALSE(bench.memory.KeyExists(Hive::LocalMachine, kEdge.Backup()));
    }
    ResetBrowserPolicies(bench.target);
    EXPECT_EQ(Tree(bench.memory), before);
}

TEST(BrowserPolicies, NewListEntriesTakeTheLowestFreeNumbers) {
    const struct {
        const char* what;
        std::vector<RegistryValue> entries;
        std::vector<std::string> patterns;
        std::vector<std::string> expected;
    } cases[] = {
        {"empty list", {}, {"a", "b"}, {"1 a", "2 b"}},
        {"after the entries there",
         {TextValue("1", "x"), TextValue("2", "y"), TextValue("3", "z")},
         {"a", "b"},
         {"4 a", "5 b"}},
        {"a gap is filled first",
         {TextValue("1", "x"), TextValue("2", "y"), TextValue("5", "z")},
         {"a", "b", "c"},
         {"3 a", "4 b", "6 c"}},
        {"a pattern held in any letter case is skipped",
         {TextValue("1", "File://*")},
         {"file://*", "b"},
         {"2 b"}},
        {"names of any type count as taken, only text counts as held",
         {DwordValue("1", 0), {"2", kRegExpandSz, {'a', 0}}, TextValue("x", "b")},
         {"a", "b"},
         {"3 a"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> added;
        for (const PolicyChange& change : NewListEntries(c.entries, "List", c.patterns)) {
            EXPECT_EQ(change.subKey, "List");
            added.push_back(change.name + " " + std::get<std::string>(change.value));
        }
        EXPECT_EQ(added, c.expected);
    }
}

TEST(BrowserPolicies, FollowTheOldBrowserStepsInApplyAndReset) {
    SecurityBench bench;
    Definition definition;
    definition.IEDisableFileDownload = 1;
    ApplyBrowserRestrictions(definition, bench.target);
    ResetBrowserRestrictions(definition, bench.target);
    const std::vector<std::string> lines = bench.Lines();
    const auto at = [&](const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) - lines.begin();
    };
    const std::string zone =
        "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Zones\\3";
    const auto oldApply = at(Dword("HKLM", zone, "1803", 3));
    const auto edgeApply = at(Dword("HKLM", kEdge.key, "DownloadRestrictions", 3));
    const auto chromeApply = at(Dword("HKLM", kChrome.key, "DownloadRestrictions", 3));
    const auto oldReset = at(Dword("HKLM", zone, "1803", 0));
    const auto edgeReset = at("delete HKLM\\" + kEdge.key + " [DownloadRestrictions]");
    const auto chromeReset = at("delete HKLM\\" + kChrome.key + " [DownloadRestrictions]");
    EXPECT_LT(oldApply, edgeApply);
    EXPECT_LT(edgeApply, chromeApply);
    EXPECT_LT(chromeApply, oldReset);
    EXPECT_LT(oldReset, edgeReset);
    EXPECT_LT(edgeReset, chromeReset);
    EXPECT_LT(chromeReset, static_cast<long>(lines.size()));
}

}  // namespace
}  // namespace vallora::security_test
