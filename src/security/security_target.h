#pragma once
// Where the security operations act: the registry and profile files through
// the settings access, the running system through its port.
#include <functional>
#include <string>

#include "security/security_system_port.h"

namespace vallora {

class Settings;

struct SecurityTarget {
    Settings& settings;
    SecuritySystemPort& system;
    // Told, at its place, about each step that is not a registry write (the
    // system calls, Explorer, the copy of a key tree); dry runs print these.
    std::function<void(const std::string&)> note = {};

    void Note(const std::string& step) const {
        if (note) note(step);
    }
};

// A check setting of the definition counts only when it is ticked (1); an
// undetermined check (2) counts as off.
constexpr bool IsChecked(int check) {
    return check == 1;
}

}  // namespace vallora
