#pragma once
// Profile (INI) files read and written directly, with the results of the
// system's profile-string calls: sections and keys match without regard to
// letter case and blanks around them, values come back as written (blanks at
// either end and one pair of enclosing quotes removed, at most 254
// characters), a new key goes to the end of its section and a new section to
// the end of the file, lines end in CR LF. A write rewrites the whole file
// from its entries, as the system does: blank lines are dropped and entries
// come out as name=value.
#include <string>

#include "platform/registry_port.h"

namespace vallora {

class ProfileFile : public ProfilePort {
  public:
    std::string GetString(const std::string& file, const std::string& section,
                          const std::string& key, const std::string& defaultValue) override;
    bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& value) override;
};

}  // namespace vallora
