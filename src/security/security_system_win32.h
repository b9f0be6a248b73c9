#pragma once
// The running system as the security operations reach it on Windows.
#include "security/security_system_port.h"

namespace vallora {

class SecuritySystemWin32 : public SecuritySystemPort {
  public:
    void SetScreenSaverRunning(bool running) override;
    bool ReadAccessibilityFlags(AccessibilityFlags& flags) override;
    void WriteAccessibilityFlags(const AccessibilityFlags& flags) override;
    void EndExplorerDesktop() override;
    bool IsExplorerRunning() override;
    void StartExplorer() override;
};

}  // namespace vallora
