#pragma once
// What the security operations need from the running system besides the
// registry: the screen-saver flag, the accessibility features' flags and the
// Explorer desktop process.
#include <array>
#include <cstdint>

namespace vallora {

// The flags of the accessibility features, in this order: Sticky Keys,
// Filter Keys, Toggle Keys, High Contrast, Mouse Keys.
using AccessibilityFlags = std::array<std::uint32_t, 5>;

class SecuritySystemPort {
  public:
    virtual ~SecuritySystemPort() = default;
    // Tells the system whether a screen saver runs; on the 9x family this
    // switches the Ctrl+Alt+Del and task-switch keys off and on again.
    virtual void SetScreenSaverRunning(bool running) = 0;
    // The accessibility features' flags of the logged-on user; a system
    // without them (the dry run) reads none and writes nothing. Writes last
    // for the logon session, so a restart of the PC forgets them.
    virtual bool ReadAccessibilityFlags(AccessibilityFlags& /*flags*/) { return false; }
    virtual void WriteAccessibilityFlags(const AccessibilityFlags& /*flags*/) {}
    // Ends the first "explorer.exe" process, when it owns a top-level window.
    virtual void EndExplorerDesktop() = 0;
    virtual bool IsExplorerRunning() = 0;
    // Starts "explorer.exe" minimised, without waiting for it.
    virtual void StartExplorer() = 0;
};

}  // namespace vallora
