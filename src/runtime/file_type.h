#pragma once
// The shell's file association of desktop definitions.
#include <string>

namespace vallora {

class Settings;

// Makes ".vla" files open with Vallora.exe in desktop mode: the file type,
// its icon and its open command under HKEY_CLASSES_ROOT. Neither the program
// path nor "%1" is quoted, so the file's path arrives as the whole command
// tail. Failures are ignored.
void RegisterFileType(Settings& settings, const std::string& programFolder);

}  // namespace vallora
