#include "security/desktop_replacement.h"

#include "security/policy_keys.h"
#include "security/policy_write.h"

namespace vallora {

using namespace policy_keys;

namespace {

constexpr PolicyValue kAutoRestartShell{kLocalMachine, kWinlogon, "AutoRestartShell"};
constexpr PolicyValue kNoDesktop{kLocalMachine, kExplorerPolicies, "NoDesktop"};

}  // namespace

void ReplaceDesktop(const Definition& definition, const SecurityTarget& target) {
    if (!IsChecked(definition.ReplaceDesktop)) return;
    WritePolicy(target.settings, kAutoRestartShell, 0);
    target.Note("end explorer.exe when it owns a top-level window");
    target.system.EndExplorerDesktop();
    WritePolicy(target.settings, kNoDesktop, 1);
}

void RestoreDesktop(const Definition& definition, const SecurityTarget& target) {
    WritePolicy(target.settings, kAutoRestartShell, 1);
    ReplaceDesktop(definition, target);
    target.Note("start explorer.exe minimised when it does not run");
    if (!target.system.IsExplorerRunning()) target.system.StartExplorer();
    WritePolicy(target.settings, kNoDesktop, 0);
}

}  // namespace vallora
