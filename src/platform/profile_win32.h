#pragma once
// Profile files through the system's profile-string calls.
#include "platform/registry_port.h"

namespace vallora {

class ProfileWin32 : public ProfilePort {
  public:
    std::string GetString(const std::string& file, const std::string& section,
                          const std::string& key, const std::string& defaultValue) override;
    bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& value) override;
};

}  // namespace vallora
