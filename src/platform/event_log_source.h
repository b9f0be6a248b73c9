#pragma once
// The registration of the event-log source "Vallora" with the Application
// log: the file whose message table frames the entries' text, and the types
// of entries the source writes.
#include <string>
#include <string_view>

#include "platform/registry_port.h"

namespace vallora {

inline constexpr char kEventLogSourceKey[] =
    "SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\Vallora";
// Errors, warnings and information.
inline constexpr std::uint32_t kEventLogTypesSupported = 7;

// Registers the source naming `messageFile`, unless it is registered so
// already. False when the registry refused (an account that may not write
// HKLM): the events are then written without a registered source.
bool RegisterEventLogSource(RegistryPort& registry, std::string_view messageFile);

}  // namespace vallora
