#pragma once
// The registered client programs (mail, news and the like) live under HKLM
// "Software\Clients". The browser restrictions remove that key; a complete
// copy kept beforehand lets the reset put it back.
#include <string>

#include "platform/registry_port.h"

namespace vallora {

class Settings;

inline constexpr char kClientsKey[] = "Software\\Clients";
inline constexpr char kClientsBackupParent[] = "Software\\Brenmark\\Vallora\\Backup";
inline constexpr char kClientsBackupKey[] = "Software\\Brenmark\\Vallora\\Backup\\Clients";

bool KeyExists(RegistryPort& registry, Hive hive, const std::string& keyPath);

// Copies every value (with its type) and every subkey of `from` into `to`,
// creating keys as needed; what `to` held besides stays. Returns true when
// every key was read and every value written.
bool CopyKeyTree(RegistryPort& registry, Hive hive, const std::string& from, const std::string& to);

// Copies the Clients key into the backup key when it exists, so that a second
// apply never replaces a good copy. Returns false when a copy was due but did
// not complete: the Clients key must then be kept.
bool BackupClients(RegistryPort& registry);

// Puts the Clients key back from the backup when one exists and removes the
// backup once the copy is complete.
void RestoreClients(Settings& settings);

// Removes the HKLM backup folder once nothing is kept in it any more.
void DeleteBackupFolderWhenEmpty(RegistryPort& registry);

}  // namespace vallora
