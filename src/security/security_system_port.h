#pragma once
// What the security operations need from the running system besides the
// registry: the screen-saver flag and the Explorer desktop process.
namespace vallora {

class SecuritySystemPort {
  public:
    virtual ~SecuritySystemPort() = default;
    // Tells the system whether a screen saver runs; on the 9x family this
    // switches the Ctrl+Alt+Del and task-switch keys off and on again.
    virtual void SetScreenSaverRunning(bool running) = 0;
    // Ends the first "explorer.exe" process, when it owns a top-level window.
    virtual void EndExplorerDesktop() = 0;
    virtual bool IsExplorerRunning() = 0;
    // Starts "explorer.exe" minimised, without waiting for it.
    virtual void StartExplorer() = 0;
};

}  // namespace vallora
