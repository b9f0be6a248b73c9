#pragma once
// The registry changes that applying or resetting a definition's restrictions
// makes, as a REGEDIT4 file: the operations run against an empty registry
// held in memory, so the file depends on the definition alone; a reset runs
// after the definition's apply there, as it would on a clean PC. Steps that
// are not registry writes appear as comment lines at their place.
#include <string>

#include "platform/registry_port.h"
#include "security/security_system_port.h"
#include "storage/definition.h"

namespace vallora {

// Acts on nothing: each step is told through the notes instead.
class DryRunSystem : public SecuritySystemPort {
  public:
    void SetScreenSaverRunning(bool) override {}
    void EndExplorerDesktop() override {}
    bool IsExplorerRunning() override { return true; }
    void StartExplorer() override {}
};

// The restrictions write no profile file.
class DryRunProfile : public ProfilePort {
  public:
    std::string GetString(const std::string&, const std::string&, const std::string&,
                          const std::string& defaultValue) override {
        return defaultValue;
    }
    bool WriteString(const std::string&, const std::string&, const std::string&,
                     const std::string&) override {
        return false;
    }
};

enum class PolicyAction { Apply, Reset };

std::string PolicyRegFileText(const Definition& definition, PolicyAction action);

}  // namespace vallora
