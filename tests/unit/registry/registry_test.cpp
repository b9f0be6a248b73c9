// The registry cases against the in-memory registry.
#include "registry_cases.h"
#include "storage/memory_registry.h"
#include "storage/profile_file.h"

namespace vallora {

namespace {

class MemoryBed : public RegistryBed {
  public:
    RegistryPort& registry() override { return registry_; }
    ProfilePort& profile() override { return profile_; }
    std::string base() const override { return "Software\\ValloraTest"; }

  private:
    MemoryRegistry registry_;
    ProfileFile profile_;
};

}  // namespace

std::unique_ptr<RegistryBed> MakeRegistryBed() {
    return std::make_unique<MemoryBed>();
}

}  // namespace vallora
