#pragma once
// The settings of a running program over the system registry and the system's
// profile calls. A program makes one and hands its `settings` to the code
// that reads and writes settings.
#include "platform/profile_win32.h"
#include "platform/registry_win32.h"
#include "storage/settings.h"

namespace vallora {

struct SystemStorage {
    RegistryWin32 registry;
    ProfileWin32 profile;
    Settings settings{registry, profile};

    SystemStorage() = default;
    // `settings` refers to the two members: the object stays where it was made.
    SystemStorage(const SystemStorage&) = delete;
    SystemStorage& operator=(const SystemStorage&) = delete;
};

}  // namespace vallora
