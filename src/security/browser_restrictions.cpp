#include "security/browser_restrictions.h"

#include <array>
#include <string>

#include "security/browser_policies.h"
#include "security/clients_backup.h"
#include "security/policy_keys.h"
#include "security/policy_write.h"
#include "storage/settings.h"

namespace vallora {

using namespace policy_keys;

namespace {

constexpr std::array<PolicyValue, 3> kAdministrativeTasks{{
    {kLocalMachine, kBrowserRestrictions, "NoBrowserOptions"},
    {kLocalMachine, kBrowserRestrictions, "NoToolbarOptions"},
    {kLocalMachine, kBrowserRestrictions, "DisableImportExportFavorites"},
}};
constexpr PolicyValue kNoSetHomePage{kLocalMachine, kExplorerPolicies, "NoSetHomePage"};

constexpr std::array<PolicyValue, 5> kAdvancedTasks{{
    {kLocalMachine, kBrowserRestrictions, "NoBrowserContextMenu"},
    {kLocalMachine, kBrowserRestrictions, "NoFavorites"},
    {kLocalMachine, kBrowserRestrictions, "NoFindFiles"},
    {kLocalMachine, kBrowserRestrictions, "NoHelpMenu"},
    {kLocalMachine, kBrowserRestrictions, "NoViewSource"},
}};

// Toolbar buttons are locked with 2, not 1.
constexpr int32_t kButtonLocked = 2;
constexpr std::array<PolicyValue, 16> kToolbarButtons{{
    {kLocalMachine, kExplorerPolicies, "Btn_Copy"},
    {kLocalMachine, kExplorerPolicies, "Btn_Cut"},
    {kLocalMachine, kExplorerPolicies, "Btn_Discussions"},
    {kLocalMachine, kExplorerPolicies, "Btn_Edit"},
    {kLocalMachine, kExplorerPolicies, "Btn_Encoding"},
    {kLocalMachine, kExplorerPolicies, "Btn_Favorites"},
    {kLocalMachine, kExplorerPolicies, "Btn_Folders"},
    {kLocalMachine, kExplorerPolicies, "Btn_Fullscreen"},
    {kLocalMachine, kExplorerPolicies, "Btn_History"},
    {kLocalMachine, kExplorerPolicies, "Btn_MailNews"},
    {kLocalMachine, kExplorerPolicies, "Btn_Media"},
    {kLocalMachine, kExplorerPolicies, "Btn_Paste"},
    {kLocalMachine, kExplorerPolicies, "Btn_Print"},
    {kLocalMachine, kExplorerPolicies, "Btn_Search"},
    {kLocalMachine, kExplorerPolicies, "Btn_Size"},
    {kLocalMachine, kExplorerPolicies, "Btn_Tools"},
}};

constexpr std::array<PolicyValue, 5> kToolbarRestrictions{{
    {kLocalMachine, kExplorerPolicies, "NoBandCustomize"},
    {kLocalMachine, kExplorerPolicies, "NoFileMenu"},
    {kLocalMachine, kExplorerPolicies, "NoToolbarCustomize"},
    {kLocalMachine, kExplorerPolicies, "NoWindowsUpdate"},
    {kLocalMachine, kExplorerPolicies, "SpecifyDefaultButtons"},
}};

constexpr PolicyValue kScriptDebugger{kCurrentUser, kBrowserMain, "Disable Script Debugger"};
constexpr PolicyValue kStartPage{kCurrentUser, kBrowserMain, "Start Page"};

// The Internet zone's file-download action: 3 disabled, 0 allowed.
constexpr std::array<PolicyValue, 2> kFileDownload{{
    {kCurrentUser, kInternetZone, "1803"},
    {kLocalMachine, kInternetZone, "1803"},
}};
constexpr int32_t kDownloadDisabled = 3;

// Removes the registered client programs, after keeping a complete copy.
// When that copy fails the key stays, since nothing could bring it back.
void RemoveClients(const SecurityTarget& target) {
    target.Note(std::string("copy HKEY_LOCAL_MACHINE\\") + kClientsKey +
                " with all its subkeys and values to HKEY_LOCAL_MACHINE\\" + kClientsBackupKey +
                " when it exists");
    if (!BackupClients(target.settings.registry())) return;
    target.settings.DeleteKeyTree(kLocalMachine, kClientsKey, "");
}

void RestoreClientsFromBackup(const SecurityTarget& target) {
    target.Note(std::string("when HKEY_LOCAL_MACHINE\\") + kClientsBackupKey +
                " exists: copy it back to HKEY_LOCAL_MACHINE\\" + kClientsKey +
                ", then delete the copy");
    RestoreClients(target.settings);
}

}  // namespace

void ApplyBrowserRestrictions(const Definition& definition, const SecurityTarget& target) {
    Settings& settings = target.settings;
    if (IsChecked(definition.NoIEAdministrativeTasks)) {
        WritePolicies(settings, kAdministrativeTasks, 1);
        WritePolicy(settings, kNoSetHomePage, 1);
    }
    if (IsChecked(definition.NoIEAdvancedTasks)) {
        WritePolicies(settings, kAdvancedTasks, 1);
        WritePolicies(settings, kToolbarButtons, kButtonLocked);
        WritePolicies(settings, kToolbarRestrictions, 1);
        WritePolicyText(settings, kScriptDebugger, "yes");
    }
    if (IsChecked(definition.IEPrograms)) RemoveClients(target);
    if (IsChecked(definition.IEDisableFileDownload)) {
        WritePolicies(settings, kFileDownload, kDownloadDisabled);
    }
    ApplyBrowserPolicies(definition, target);
}

void ResetBrowserRestrictions(const Definition& definition, const SecurityTarget& target) {
    Settings& settings = target.settings;
    WritePolicies(settings, kAdministrativeTasks, 0);
    WritePolicy(settings, kNoSetHomePage, 0);
    SetBrowserStartPage(definition, settings);
    WritePolicies(settings, kAdvancedTasks, 0);
    WritePolicies(settings, kToolbarButtons, 0);
    WritePolicies(settings, kToolbarRestrictions, 0);
    WritePolicyText(settings, kScriptDebugger, "no");
    RestoreClientsFromBackup(target);
    WritePolicies(settings, kFileDownload, 0);
    ResetBrowserPolicies(target);
}

void SetBrowserStartPage(const Definition& definition, Settings& settings) {
    WritePolicyText(settings, kStartPage, definition.IEHomePage);
}

}  // namespace vallora
