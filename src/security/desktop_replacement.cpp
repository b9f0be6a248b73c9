#include "security/desktop_replacement.h"

#include "security/policy_keys.h"
#include "security/policy_write.h"
#include "storage/settings.h"

namespace vallora {

using namespace policy_keys;

namespace {

constexpr PolicyValue kAutoRestartShell{kLocalMachine, kWinlogon, "AutoRestartShell"};
constexpr PolicyValue kNoDesktop{kLocalMachine, kExplorerPolicies, "NoDesktop"};

}  // namespace

void ReplaceDesktop(const Definition& definition, const SecurityTarget& target) {
    if (!IsChecked(definition.ReplaceDesktop)) return;
    WritePolicy(target.settings, kAutoRestartShell, 0);
    // Ended while Windows would restart it, Explorer comes straight back
    // with its desktop and task bar: only a restart switched off ends it.
    SettingValue autoRestart = int32_t{1};
    target.settings.ReadSetting(kAutoRestartShell.hive, kAutoRestartShell.key,
                                kAutoRestartShell.name, "D", autoRestart);
    target.Note("end explorer.exe when it owns a top-level window and AutoRestartShell reads 0");
    if (autoRestart == SettingValue{int32_t{0}}) target.system.EndExplorerDesktop();
    WritePolicy(target.settings, kNoDesktop, 1);
}

void RestoreDesktop(const Definition& definition, const SecurityTarget& target) {
    WritePolicy(target.settings, kAutoRestartShell, 1);
    ReplaceDesktop(definition, target);
    // Explorer reads "NoDesktop" when it starts: the desktop icons come back
    // only when it is reset first.
    WritePolicy(target.settings, kNoDesktop, 0);
    target.Note("start explorer.exe minimised when it does not run");
    if (!target.system.IsExplorerRunning()) target.system.StartExplorer();
}

}  // namespace vallora
