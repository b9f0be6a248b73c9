#include "security/browser_policies.h"

#include <algorithm>
#include <array>
#include <optional>
#include <variant>

#include "security/clients_backup.h"
#include "security/policy_keys.h"
#include "storage/ascii_case.h"
#include "storage/settings.h"

namespace vallora {

using namespace policy_keys;

namespace {

struct BrowserPolicyNames {
    const char* policyKey;
    const char* backupKey;
    const char* favoritesBar;
    const char* editFavorites;
    const char* settingsPages;
};

constexpr std::array<BrowserPolicyNames, 2> kBrowsers{{
    {kEdgePolicies, kEdgePoliciesBackupKey, "FavoritesBarEnabled", "EditFavoritesEnabled",
     "edge://settings/*"},
    {kChromePolicies, kChromePoliciesBackupKey, "BookmarkBarEnabled", "EditBookmarksEnabled",
     "chrome://settings/*"},
}};

constexpr char kBlocklist[] = "URLBlocklist";
constexpr int32_t kBlockAllDownloads = 3;
constexpr int32_t kNoDeveloperTools = 2;  // also no view source
constexpr int32_t kOpenListedPages = 4;

std::string HklmText(const std::string& key) {
    return "HKEY_LOCAL_MACHINE\\" + key;
}

// The text of a REG_SZ value, up to its first zero; nothing for other types.
std::optional<std::string> TextOf(const RegistryValue& value) {
    if (value.type != kRegSz) return std::nullopt;
    std::string text(value.data.begin(), value.data.end());
    text.resize(std::min(text.size(), text.find('\0')));
    return text;
}

std::vector<PolicyChange> BrowserChanges(const Definition& definition,
                                         const BrowserPolicyNames& browser,
                                         RegistryPort& registry) {
    std::vector<PolicyChange> changes;
    const auto number = [&](const char* name, int32_t value) {
        changes.push_back({"", name, value});
    };
    if (IsChecked(definition.IEDisableFileDownload)) {
        number("DownloadRestrictions", kBlockAllDownloads);
    }
    if (IsChecked(definition.NoIEAdvancedTasks)) {
        number("DeveloperToolsAvailability", kNoDeveloperTools);
        number(browser.favoritesBar, 0);
    }
    if (IsChecked(definition.NoIEAdministrativeTasks)) number(browser.editFavorites, 0);
    if (IsChecked(definition.NoRun)) number("AllowFileSelectionDialogs", 0);
    if (!definition.IEHomePage.empty()) {
        changes.push_back({"", "HomepageLocation", definition.IEHomePage});
        number("HomepageIsNewTabPage", 0);
        number("RestoreOnStartup", kOpenListedPages);
        changes.push_back({"RestoreOnStartupURLs", "1", definition.IEHomePage});
    }

    std::vector<std::string> blocked;
    if (IsChecked(definition.NoRun)) blocked.emplace_back("file://*");
    if (IsChecked(definition.NoIEAdministrativeTasks)) blocked.emplace_back(browser.settingsPages);
    if (IsChecked(definition.NoIEAdvancedTasks)) blocked.emplace_back("view-source:*");
    if (!blocked.empty()) {
        std::vector<RegistryValue> entries;
        registry.EnumValues(Hive::LocalMachine, std::string(browser.policyKey) + "\\" + kBlocklist,
                            entries);
        for (PolicyChange& entry : NewListEntries(entries, kBlocklist, blocked)) {
            changes.push_back(std::move(entry));
        }
    }
    return changes;
}

}  // namespace

std::vector<PolicyChange> NewListEntries(const std::vector<RegistryValue>& entries,
                                         const std::string& subKey,
                                         const std::vector<std::string>& patterns) {
    std::vector<PolicyChange> added;
    const auto taken = [&](const std::string& name) {
        return std::any_of(entries.begin(), entries.end(),
                           [&](const RegistryValue& v) { return EqualsNoCase(v.name, name); }) ||
               std::any_of(added.begin(), added.end(),
                           [&](const PolicyChange& c) { return c.name == name; });
    };
    int next = 1;
    for (const std::string& pattern : patterns) {
        const bool held =
            std::any_of(entries.begin(), entries.end(), [&](const RegistryValue& entry) {
                const auto text = TextOf(entry);
                return text && EqualsNoCase(*text, pattern);
            });
        if (held) continue;
        while (taken(std::to_string(next))) ++next;
        added.push_back({subKey, std::to_string(next), pattern});
    }
    return added;
}

void ApplyBrowserPolicies(const Definition& definition, const SecurityTarget& target) {
    Settings& settings = target.settings;
    for (const BrowserPolicyNames& browser : kBrowsers) {
        const std::vector<PolicyChange> changes =
            BrowserChanges(definition, browser, settings.registry());
        if (changes.empty()) continue;
        target.Note("the state that the values below had before is kept in " +
                    HklmText(browser.backupKey) + " unless it is kept there already");
        const std::vector<bool> kept = KeepPreviousState(settings, kLocalMachine, browser.policyKey,
                                                         browser.backupKey, changes);
        for (size_t i = 0; i < changes.size(); ++i) {
            if (!kept[i]) continue;
            const PolicyChange& change = changes[i];
            const std::string key = change.subKey.empty()
                                        ? std::string(browser.policyKey)
                                        : std::string(browser.policyKey) + "\\" + change.subKey;
            const char* type = std::holds_alternative<int32_t>(change.value) ? "D" : "S";
            settings.WriteSetting(kLocalMachine, key, change.name, type, change.value);
        }
    }
}

void ResetBrowserPolicies(const SecurityTarget& target) {
    Settings& settings = target.settings;
    for (const BrowserPolicyNames& browser : kBrowsers) {
        if (!KeyExists(settings.registry(), Hive::LocalMachine, browser.backupKey)) continue;
        target.Note("what " + HklmText(browser.backupKey) + " holds tells which values below " +
                    HklmText(browser.policyKey) + " are deleted and which are written back");
        RestorePreviousState(settings, kLocalMachine, browser.policyKey, browser.backupKey);
    }
    DeleteBackupFolderWhenEmpty(settings.registry());
}

}  // namespace vallora
