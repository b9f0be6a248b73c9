#pragma once
// The security operations wired to an in-memory registry through a recording
// registry, with a system port that records its calls in the same sequence.
#include <optional>
#include <string>
#include <vector>

#include "change_lines.h"
#include "security/security_target.h"
#include "storage/memory_registry.h"
#include "storage/profile_file.h"
#include "storage/recording_registry.h"
#include "storage/settings.h"

namespace vallora::security_test {

class FakeSystem : public SecuritySystemPort {
  public:
    explicit FakeSystem(RecordingRegistry& log) : log_(log) {}
    void SetScreenSaverRunning(bool running) override {
        log_.Comment(running ? "port: screen saver 1" : "port: screen saver 0");
    }
    void EndExplorerDesktop() override { log_.Comment("port: end explorer"); }
    bool ReadAccessibilityFlags(AccessibilityFlags& flags) override {
        if (!accessibility) return false;
        flags = *accessibility;
        return true;
    }
    void WriteAccessibilityFlags(const AccessibilityFlags& flags) override {
        log_.Comment("port: accessibility flags");
        accessibility = flags;
    }
    bool IsExplorerRunning() override { return explorerRunning; }
    void StartExplorer() override { log_.Comment("port: start explorer"); }

    bool explorerRunning = true;
    // None: a system without the accessibility features' flags.
    std::optional<AccessibilityFlags> accessibility;

  private:
    RecordingRegistry& log_;
};

struct SecurityBench {
    MemoryRegistry memory;
    RecordingRegistry recording{memory};
    ProfileFile profile;
    Settings settings{recording, profile};
    FakeSystem system{recording};
    SecurityTarget target{settings, system};

    std::vector<std::string> Lines() const { return ChangeLines(recording.Changes()); }
};

}  // namespace vallora::security_test
