#include "security/windows_restrictions.h"

#include <array>

#include "security/accessibility_hot_keys.h"
#include "security/policy_keys.h"
#include "security/policy_write.h"
#include "storage/ascii_case.h"

namespace vallora {

using namespace policy_keys;

namespace {

constexpr PolicyValue kDisableChangePassword{kCurrentUser, kSystemPolicies,
                                             "DisableChangePassword"};
constexpr PolicyValue kDisableLockWorkstation{kCurrentUser, kSystemPolicies,
                                              "DisableLockWorkstation"};
constexpr PolicyValue kDisableTaskMgr{kCurrentUser, kSystemPolicies, "DisableTaskMgr"};
constexpr PolicyValue kNoLogoff{kCurrentUser, kExplorerPolicies, "NoLogoff"};
constexpr PolicyValue kNoClose{kCurrentUser, kExplorerPolicies, "NoClose"};

// Written after the screen-saver call by "NoAdministrativeTasks", and set back
// in the same order by the reset.
constexpr std::array<PolicyValue, 11> kAdministrativeTasks{{
    {kLocalMachine, kExplorerPolicies, "NoDeletePrinter"},
    {kLocalMachine, kExplorerPolicies, "NoAddPrinter"},
    {kLocalMachine, kExplorerPolicies, "NoPrinterTabs"},
    {kLocalMachine, kExplorerPolicies, "NoControlPanel"},
    {kLocalMachine, kExplorerPolicies, "NoFolderOptions"},
    {kLocalMachine, kExplorerPolicies, "NoFavoritesMenu"},
    {kLocalMachine, kExplorerPolicies, "NoSetFolders"},
    {kLocalMachine, kNonEnumPolicies, kMyComputer},
    {kLocalMachine, kExplorerPolicies, "NoFind"},
    {kLocalMachine, kNonEnumPolicies, kRecycleBin},
    {kLocalMachine, kNonEnumPolicies, kMyDocuments},
}};

constexpr PolicyValue kNoDrives{kLocalMachine, kExplorerPolicies, "NoDrives"};
constexpr PolicyValue kNoDriveAutoRun{kLocalMachine, kExplorerPolicies, "NoDriveAutoRun"};

constexpr std::array<PolicyValue, 9> kRunRestrictions{{
    {kLocalMachine, kExplorerPolicies, "NoRun"},
    {kLocalMachine, kFileDialogPolicies, "NoFileMru"},
    {kLocalMachine, kFileDialogPolicies, "NoBackButton"},
    {kLocalMachine, kFileDialogPolicies, "NoPlacesBar"},
    {kLocalMachine, kExplorerPolicies, "NoViewContextmenu"},
    {kLocalMachine, kExplorerPolicies, "NoFileMenu"},
    {kLocalMachine, kExplorerPolicies, "NoFind"},
    {kLocalMachine, kNonEnumPolicies, kRecycleBin},
    {kLocalMachine, kNonEnumPolicies, kMyDocuments},
}};

constexpr std::array<PolicyValue, 4> kNetworkRestrictions{{
    {kLocalMachine, kExplorerPolicies, "NoNetHood"},
    {kLocalMachine, kExplorerPolicies, "NoNetConnectDisconnect"},
    {kLocalMachine, kExplorerPolicies, "NoEntireNetwork"},
    {kLocalMachine, kExplorerPolicies, "NoWorkgroupContents"},
}};

constexpr std::array<PolicyValue, 15> kDriveReset{{
    kNoDrives,
    kNoDriveAutoRun,
    {kLocalMachine, kExplorerPolicies, "NoFileMenu"},
    {kLocalMachine, kFileDialogPolicies, "NoFileMru"},
    {kLocalMachine, kFileDialogPolicies, "NoBackButton"},
    {kLocalMachine, kFileDialogPolicies, "NoPlacesBar"},
    {kLocalMachine, kExplorerPolicies, "NoViewContextmenu"},
    {kLocalMachine, kExplorerPolicies, "NoNetHood"},
    {kLocalMachine, kExplorerPolicies, "NoNetConnectDisconnect"},
    {kLocalMachine, kExplorerPolicies, "NoEntireNetwork"},
    {kLocalMachine, kExplorerPolicies, "NoWorkgroupContents"},
    {kLocalMachine, kExplorerPolicies, "NoRun"},
    {kLocalMachine, kExplorerPolicies, "NoFind"},
    {kLocalMachine, kNonEnumPolicies, kRecycleBin},
    {kLocalMachine, kNonEnumPolicies, kMyDocuments},
}};

void SetScreenSaverRunning(const SecurityTarget& target, bool running) {
    target.Note(running ? "SystemParametersInfo SPI_SETSCREENSAVERRUNNING (97), 1"
                        : "SystemParametersInfo SPI_SETSCREENSAVERRUNNING (97), 0");
    target.system.SetScreenSaverRunning(running);
}

}  // namespace

void ApplyWindowsRestrictions(const Definition& definition, const SecurityTarget& target) {
    Settings& settings = target.settings;
    if (IsChecked(definition.NoChangePwd)) WritePolicy(settings, kDisableChangePassword, 1);
    if (IsChecked(definition.NoLockComputer)) WritePolicy(settings, kDisableLockWorkstation, 1);
    if (IsChecked(definition.NoAdministrativeTasks)) {
        WritePolicy(settings, kDisableTaskMgr, 1);
        SetScreenSaverRunning(target, true);
        SwitchOffAccessibilityHotKeys(target);
        WritePolicies(settings, kAdministrativeTasks, 1);
    }
    if (IsChecked(definition.NoLogoff)) WritePolicy(settings, kNoLogoff, 1);
    if (IsChecked(definition.NoShutDown)) WritePolicy(settings, kNoClose, 1);
}

void ResetWindowsRestrictions(const SecurityTarget& target) {
    Settings& settings = target.settings;
    WritePolicies(settings,
                  std::array{kDisableChangePassword, kDisableLockWorkstation, kNoLogoff, kNoClose,
                             kDisableTaskMgr},
                  0);
    SetScreenSaverRunning(target, false);
    RestoreAccessibilityHotKeys(target);
    WritePolicies(settings, kAdministrativeTasks, 0);
}

int32_t DriveMask(std::string_view hideDrives) {
    int32_t mask = 0;
    size_t start = 0;
    while (start <= hideDrives.size()) {
        size_t end = hideDrives.find(';', start);
        if (end == std::string_view::npos) end = hideDrives.size();
        const std::string_view piece = hideDrives.substr(start, end - start);
        if (piece.size() == 1) {
            const char letter = AsciiUpper(piece[0]);
            if (letter >= 'A' && letter <= 'Z') mask |= int32_t{1} << (letter - 'A');
        }
        start = end + 1;
    }
    return mask;
}

void ApplyDriveRestrictions(const Definition& definition, std::string_view hideDrives,
                            const SecurityTarget& target) {
    Settings& settings = target.settings;
    // An empty text leaves whatever the drive values held before.
    if (!hideDrives.empty()) {
        const int32_t mask = DriveMask(hideDrives);
        WritePolicy(settings, kNoDrives, mask);
        WritePolicy(settings, kNoDriveAutoRun, mask);
    }
    if (IsChecked(definition.NoRun)) WritePolicies(settings, kRunRestrictions, 1);
    if (IsChecked(definition.NoNetWork)) WritePolicies(settings, kNetworkRestrictions, 1);
}

void ResetDriveRestrictions(const SecurityTarget& target) {
    WritePolicies(target.settings, kDriveReset, 0);
}

}  // namespace vallora
